#!/usr/bin/env bash
# Builds the data-file fuzz target with clang's libFuzzer (address and undefined-behaviour
# sanitizers) into build-fuzz/, and runs it when asked.
#   tools/fuzz-datafile.sh            build only
#   tools/fuzz-datafile.sh SECONDS    build, then fuzz for SECONDS starting from the stored seeds
# Needs clang and libclang-rt-14-dev (apt-get install -y clang libclang-rt-14-dev).
set -euo pipefail
cd "$(dirname "$0")/.."
out=build-fuzz
mkdir -p "$out/corpus-datafile"
srcs=()
for dir in model io calendar rules session; do
  for f in src/$dir/*.cpp; do [ -e "$f" ] && srcs+=("$f"); done
done
clang++ -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -Isrc -Itests "${srcs[@]}" tests/fuzz/datafile_fuzz.cpp -o "$out/datafile_fuzz"
echo "built $out/datafile_fuzz"
if [ $# -ge 1 ]; then
  "$out/datafile_fuzz" -max_total_time="$1" -max_len=40000 -timeout=10 -rss_limit_mb=2048 \
    "$out/corpus-datafile" tests/fuzz/seeds/datafile
fi
