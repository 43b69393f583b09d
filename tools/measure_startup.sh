#!/usr/bin/env bash
# Times the desktop program's start-up with a full school year in the working file:
# from entering the program to the main window shown and painted (printed by the
# program itself), and the whole process from launch to exit for comparison.
# Usage: tools/measure_startup.sh [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${1:-5}"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j2 --target tly_probe
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cat > "$work/run.sh" <<INNER
set -e
# First run: build a year through the new-year dialog; closing writes JJTEMP3.DAT.
./build/tly_probe --dir "$work/prog" --settings "$work/settings.ini" --screenshot "$work/shots" >/dev/null 2>&1
ls -l "$work/prog/JJTEMP3.DAT" >&2 || echo "no working file was written" >&2
for i in \$(seq 1 $runs); do
  t0=\$(date +%s%N)
  ./build/tly_probe --dir "$work/prog" --settings "$work/settings.ini" --measure-startup 2>/dev/null
  t1=\$(date +%s%N)
  echo "process_ms \$(( (t1 - t0) / 1000000 ))"
done
INNER
xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" bash "$work/run.sh"
