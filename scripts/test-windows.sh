#!/usr/bin/env bash
# Builds the layers below the session (model, io, calendar, rules) and their tests for
# 64-bit Windows with Debian's MinGW-w64 cross compiler and runs them under Wine. Then
# compares: the count of tests run with the Linux build's count for the same tests (the
# Windows build has one test more, SafesaveWindows, which holds a file open the Windows
# way), and the whole CP932 table of both builds, byte for byte.
# Installs what is missing (g++-mingw-w64-x86-64-posix, googletest, wine64). Builds into
# build-win/ and, for the Linux count, uses build/ (scripts/build.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

pkgs=(g++-mingw-w64-x86-64-posix googletest wine64 cmake ninja-build)
bash scripts/deps.sh "${pkgs[@]}"

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build-win -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" "${launcher[@]}" >/dev/null
nice ninja -C build-win -j"$(nproc)" tly_core_tests

[ -x build/tests/tly_core_tests ] || { bash scripts/deps.sh && bash scripts/build.sh; }

wine=$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export WINEPREFIX="$work/prefix" WINEDEBUG=-all
"$wine" wineboot --init >/dev/null 2>&1 || true

echo "== Windows (Wine): build-win/tests/tly_core_tests.exe"
TLY_CP932_DUMP="Z:${work//\//\\}\\cp932-windows.txt" \
  "$wine" build-win/tests/tly_core_tests.exe --gtest_brief=1 2>&1 | tr -d '\r' | tee "$work/windows.log"
echo "== Linux: build/tests/tly_core_tests"
TLY_CP932_DUMP="$work/cp932-linux.txt" build/tests/tly_core_tests --gtest_brief=1 2>&1 | tee "$work/linux.log"

ran() { sed -n 's/^\[==========\] \([0-9]*\) tests\? from .* ran.*/\1/p' "$1"; }
passed() { sed -n 's/^\[  PASSED  \] \([0-9]*\) tests\?\..*/\1/p' "$1"; }
win_ran=$(ran "$work/windows.log") win_passed=$(passed "$work/windows.log")
lin_ran=$(ran "$work/linux.log") lin_passed=$(passed "$work/linux.log")
only_windows=1  # SafesaveWindows.AFailedReplaceFileKeepsTheOldFileWhole
echo "tests run: Windows ${win_ran:-0} (passed ${win_passed:-0}), Linux ${lin_ran:-0} (passed ${lin_passed:-0}), Windows-only ${only_windows}"
status=0
if [ "${win_ran:-0}" -ne $(( ${lin_ran:-0} + only_windows )) ] || [ "${win_passed:-0}" != "${win_ran:-0}" ] ||
   [ "${lin_passed:-0}" != "${lin_ran:-0}" ]; then
  echo "FAILED: the counts differ or a test failed"
  status=1
fi
if cmp -s "$work/cp932-linux.txt" "$work/cp932-windows.txt"; then
  echo "CP932 table: identical ($(wc -l < "$work/cp932-linux.txt") codes both ways)"
else
  echo "FAILED: the CP932 tables differ:"
  diff "$work/cp932-linux.txt" "$work/cp932-windows.txt" | head -40 || true
  status=1
fi
exit $status
