#!/usr/bin/env bash
# Builds the program and every test with AddressSanitizer and UndefinedBehaviorSanitizer
# into build-asan/ (its own folder; build/ is untouched) and runs the whole suite there.
# Any memory error, leak or undefined behaviour fails the test that met it.
#   bash scripts/sanitize.sh            build and run everything
#   bash scripts/sanitize.sh -R Fault   extra arguments go to ctest
# Slower than the normal build (about three times); not part of CI's time budget.
set -euo pipefail
cd "$(dirname "$0")/.."
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
san="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTLY_BUILD_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="$san" -DCMAKE_EXE_LINKER_FLAGS="$san" -DCMAKE_SHARED_LINKER_FLAGS="$san" \
  "${launcher[@]}" >/dev/null
cmake --build build-asan -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:check_initialization_order=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/tools/lsan.supp
ctest --test-dir build-asan --output-on-failure -j"$(nproc)" "$@"
