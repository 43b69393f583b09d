#!/usr/bin/env bash
# Fuzzes every reader of outside input for FUZZ_SECONDS each (default 60): the current
# data file, the older three-file set, the settings file, the paste reader and the
# cell-text decoder. libFuzzer programs (clang, address and undefined-behaviour
# sanitizers) are built into build-fuzz/. Not part of the normal build or of CI.
#   bash tools/fuzz-readers.sh                  all five, 60 s each
#   FUZZ_SECONDS=300 bash tools/fuzz-readers.sh paste celltext
#   FUZZ_RUNS=10000000 FUZZ_SECONDS=99999 FUZZ_SANITIZERS=undefined bash tools/fuzz-readers.sh ini
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
# FUZZ_RUNS=N stops each target after N inputs instead (the time limit still holds).
runs_flag=""
[ -n "${FUZZ_RUNS:-}" ] && runs_flag="-runs=$FUZZ_RUNS"
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(datafile ver2 ini paste celltext)
# FUZZ_SANITIZERS=undefined builds without the address sanitizer (in build-fuzz-undefined/):
# more inputs a second, for long runs; the default catches more.
sanitizers=${FUZZ_SANITIZERS:-address,undefined}
out=build-fuzz
[ "$sanitizers" != "address,undefined" ] && out="build-fuzz-${sanitizers//,/-}"
mkdir -p "$out"
core=()
while IFS= read -r f; do core+=("$f"); done < <(find src/model src/io src/calendar src/rules src/session -name '*.cpp' | sort)
# Code from the system's headers (std::string, std::array, ...) gets no coverage probes:
# its branches teach the fuzzer nothing about the formats, and probing every string copy
# made the runs several times slower.
# Of the undefined-behaviour checks, those of every memory access are left out: alignment
# (no matter on the machines the program runs on), null, pointer overflow, object size and
# the dynamic type. The address sanitizer, the library's index checks and the processor
# catch what they would; and the coverage probes trace each of their comparisons like one
# of the program's own, which made every read of a year two to four times slower.
# Arithmetic, shifts, conversions, enum and bool values stay checked.
flags=(-std=c++20 -O2 -g -fsanitize=fuzzer,$sanitizers -fno-sanitize=alignment,null,pointer-overflow,object-size,vptr
       -fno-sanitize-recover=undefined
       -fsanitize-coverage-ignorelist=tools/fuzz-coverage-ignore.txt -fsanitize-ignorelist=tools/fuzz-sanitize-ignore.txt
       -DTLY_LIBFUZZER -Isrc -Itests)
# Without the address sanitizer the library's own index checks still catch a subscript
# past the end of a std::array, std::vector or std::string.
[[ $sanitizers != *address* ]] && flags+=(-D_GLIBCXX_ASSERTIONS)
# The program's sources are compiled once (with -fsanitize=fuzzer-no-link) for every target.
echo "== compiling the readers"
mkdir -p "$out/obj"
# Objects built with other flags or another ignore list are built again.
stamp="${flags[*]} $(cat tools/fuzz-coverage-ignore.txt tools/fuzz-sanitize-ignore.txt | sha1sum)"
if [ "$(cat "$out/obj/flags" 2>/dev/null)" != "$stamp" ]; then
  rm -f "$out"/obj/*.o
  echo "$stamp" > "$out/obj/flags"
fi
objs=()
# A header changed since an object was built rebuilds it (objects are not tracked per header).
newest_header=$(find src tests/support -name '*.h' -printf '%T@ %p\n' | sort -n | tail -1 | cut -d' ' -f2-)
stale=()
for f in "${core[@]}"; do
  o="$out/obj/$(echo "$f" | tr / _).o"
  if [ ! -e "$o" ] || [ "$f" -nt "$o" ] || [ "$newest_header" -nt "$o" ]; then stale+=("$f"); fi
  objs+=("$o")
done
# One compiler per core.
obj_flags=("${flags[@]/-fsanitize=fuzzer,$sanitizers/-fsanitize=fuzzer-no-link,$sanitizers}")
if [ ${#stale[@]} -gt 0 ]; then
  printf '%s\n' "${stale[@]}" |
    xargs -P "$(nproc)" -I{} sh -c 'clang++ "$@" -c "$0" -o "$1/obj/$(echo "$0" | tr / _).o"' {} "$out" "${obj_flags[@]}"
fi
summary=()
for t in "${targets[@]}"; do
  echo "== $t: building"
  clang++ "${flags[@]}" "tests/fuzz/${t}_fuzz.cpp" "${objs[@]}" -lxlsxwriter -o "$out/${t}_fuzz"
  mkdir -p "$out/corpus-$t"
  cp -n tests/fuzz/seeds/"$t"/* "$out/corpus-$t/" 2>/dev/null || true
  echo "== $t: fuzzing for ${seconds}s"
  log="$out/$t.log"
  # Inputs no longer than the format needs: a one-grade year, the longest cell text.
  case $t in
    datafile|ver2) max_len=12000 ;;
    ini) max_len=4096 ;;
    paste) max_len=2048 ;;
    celltext) max_len=33000 ;;
  esac
  (cd "$out" && "./${t}_fuzz" -max_total_time="$seconds" $runs_flag -rss_limit_mb=4096 -max_len=$max_len -timeout=10 \
      -dict="../tests/fuzz/dict/$t.dict" -print_final_stats=1 "corpus-$t") 2>&1 | tee "$log" | grep -E "^(#[0-9]+ *DONE|==[0-9]+==ERROR|SUMMARY)" || true
  runs=$(grep -E '^stat::number_of_executed_units' "$log" | awk '{print $2}')
  rate=$(grep -E '^stat::average_exec_per_sec' "$log" | awk '{print $2}')
  status=ok
  grep -qE '==[0-9]+==ERROR|deadly signal|Test unit written' "$log" && status=FAILED
  summary+=("$(printf '%-10s %12s inputs %8s a second  %s' "$t" "${runs:-?}" "${rate:-?}" "$status")")
done
echo "== inputs fuzzed per reader (${seconds}s each)"
printf '%s\n' "${summary[@]}"
