#!/usr/bin/env bash
# Fuzzes every reader of outside input for FUZZ_SECONDS each (default 60): the current
# data file, the older three-file set, the settings file, the paste reader and the
# cell-text decoder. libFuzzer programs (clang, address and undefined-behaviour
# sanitizers) are built into build-fuzz/. Not part of the normal build or of CI.
#   bash tools/fuzz-readers.sh                  all five, 60 s each
#   FUZZ_SECONDS=300 bash tools/fuzz-readers.sh paste celltext
# Each target starts from its kept seeds (tests/fuzz/seeds/<target>/, replayed by the
# test suite); inputs that break a check are written to build-fuzz/ as crash-*: copy the
# ones worth keeping into the seeds folder. At the end a table gives the inputs run per
# target.
set -euo pipefail
cd "$(dirname "$0")/.."
if ! command -v clang++ >/dev/null || ! ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends clang libclang-rt-14-dev
fi
seconds=${FUZZ_SECONDS:-60}
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(datafile ver2 ini paste celltext)
out=build-fuzz
mkdir -p "$out"
core=()
while IFS= read -r f; do core+=("$f"); done < <(find src/model src/io src/calendar src/rules src/session -name '*.cpp' | sort)
flags=(-std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined
       -DTLY_LIBFUZZER -Isrc -Itests)
# The program's sources are compiled once (with -fsanitize=fuzzer-no-link) for every target.
echo "== compiling the readers"
mkdir -p "$out/obj"
objs=()
for f in "${core[@]}"; do
  o="$out/obj/$(echo "$f" | tr / _).o"
  if [ ! -e "$o" ] || [ "$f" -nt "$o" ]; then
    clang++ "${flags[@]/-fsanitize=fuzzer,address,undefined/-fsanitize=fuzzer-no-link,address,undefined}" -c "$f" -o "$o"
  fi
  objs+=("$o")
done
summary=()
for t in "${targets[@]}"; do
  echo "== $t: building"
  clang++ "${flags[@]}" "tests/fuzz/${t}_fuzz.cpp" "${objs[@]}" -lxlsxwriter -o "$out/${t}_fuzz"
  mkdir -p "$out/corpus-$t"
  cp -n tests/fuzz/seeds/"$t"/* "$out/corpus-$t/" 2>/dev/null || true
  echo "== $t: fuzzing for ${seconds}s"
  log="$out/$t.log"
  (cd "$out" && "./${t}_fuzz" -max_total_time="$seconds" -rss_limit_mb=4096 -max_len=40000 -timeout=10 \
      -print_final_stats=1 "corpus-$t") 2>&1 | tee "$log" | grep -E "^(#[0-9]+ *DONE|==[0-9]+==ERROR|SUMMARY)" || true
  runs=$(grep -E '^stat::number_of_executed_units' "$log" | awk '{print $2}')
  status=ok
  grep -qE '==[0-9]+==ERROR|deadly signal|Test unit written' "$log" && status=FAILED
  summary+=("$(printf '%-10s %12s inputs  %s' "$t" "${runs:-?}" "$status")")
done
echo "== inputs fuzzed per reader (${seconds}s each)"
printf '%s\n' "${summary[@]}"
