#!/usr/bin/env bash
# Builds the program and saves pictures of the main window and the new-year dialog.
# Usage: tools/screenshots.sh [OUTDIR]   (default: build/screenshots)
# Runs under Xvfb with a fresh temporary program folder and settings file: the first run
# answers the start-up question with Yes, takes the new-year dialog, builds the year and
# takes the main window, then registers a class and a teacher timetable and takes the
# timetable window (frmJW.png, and frmJW-reference.png with the reference area open) and
# the month shown through the class timetable (frmMain-class-timetable.png); the second run
# reads the saved working file and takes the main window again (the same year at today's
# month); a third run, with the box for the law's holidays on, takes the dialog and the
# year built with them. The window tests then take the print dialog, its preview, the
# column-width dialog and the report window (windows/).
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-build/screenshots}"
rm -rf "$out/first" "$out/second" "$out/law" "$out/windows"
mkdir -p "$out"
out="$(cd "$out" && pwd)"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j2 --target tly_probe
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
run() { xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" ./build/tly_probe --dir "$work/prog" --settings "$work/settings.ini" "$@"; }
run --screenshot "$out/first"
run --screenshot "$out/second"
# The new-year dialog with the law's holidays chosen (the box's state kept in the settings).
printf '[TLY]\nSettings\\NewLawHolidays=1\n' >"$work/settings-law.ini"
xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" ./build/tly_probe --dir "$work/prog-law" \
  --settings "$work/settings-law.ini" --screenshot "$out/law"
# The print dialog, its preview, the column-width dialog and the report window (whole
# school, one class, its print preview), from the window tests' picture hooks.
cmake --build build -j2 --target ui_print_window ui_stdhours_test
mkdir -p "$out/windows"
TLY_SHOTS="$out/windows" QT_QPA_PLATFORM=offscreen ./build/tests/ui_print_window >/dev/null
TLY_SCREENSHOT_DIR="$out/windows" QT_QPA_PLATFORM=offscreen ./build/tests/ui_stdhours_test >/dev/null
ls -l "$out"/first "$out"/second "$out"/law "$out"/windows
