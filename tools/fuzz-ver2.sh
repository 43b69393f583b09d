#!/usr/bin/env bash
# Builds the libFuzzer programs for the older data format and the settings file and runs
# each for FUZZ_SECONDS (default 120). Not part of the normal build.
#   bash tools/fuzz-ver2.sh            build and run both
#   FUZZ_SECONDS=600 bash tools/fuzz-ver2.sh ini
# Inputs that find a fault are written to build-fuzz/; copy the ones worth keeping into
# tests/fuzz/seeds/<target>/ so that the test suite replays them.
set -euo pipefail
cd "$(dirname "$0")/.."
if ! command -v clang++ >/dev/null || ! ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends clang libclang-rt-14-dev
fi
seconds=${FUZZ_SECONDS:-120}
targets=("${@:-ver2 ini}")
out=build-fuzz
mkdir -p "$out"
core=()
for dir in model io calendar rules session; do
  for f in src/$dir/*.cpp; do [ -e "$f" ] && core+=("$f"); done
done
flags=(-std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined
       -DTLY_LIBFUZZER -Isrc -Itests)
for t in ${targets[@]}; do
  echo "== $t: building"
  clang++ "${flags[@]}" "tests/fuzz/${t}_fuzz.cpp" "${core[@]}" -o "$out/${t}_fuzz"
  mkdir -p "$out/corpus-$t"
  cp -n tests/fuzz/seeds/"$t"/* "$out/corpus-$t/" 2>/dev/null || true
  echo "== $t: fuzzing for ${seconds}s"
  (cd "$out" && "./${t}_fuzz" -max_total_time="$seconds" -rss_limit_mb=4096 -max_len=40000 \
      -print_final_stats=1 "corpus-$t")
done
