#!/usr/bin/env bash
# Takes the pictures of the program's own manual (src/ui/help/img/): runs tools/screenshots.sh
# into a temporary folder and keeps small copies of the main window, the new-year dialog,
# the timetable window, the month shown through a class timetable and the print dialog.
# Needs ImageMagick's convert. Usage: tools/help-pictures.sh
set -euo pipefail
cd "$(dirname "$0")/.."
shots="$(mktemp -d)"
trap 'rm -rf "$shots"' EXIT
tools/screenshots.sh "$shots" >/dev/null
img=src/ui/help/img
mkdir -p "$img"
small() { convert "$1" -resize "$3x$3>" -strip -colors 128 "PNG8:$img/$2"; }
small "$shots/first/frmMain.png" main.png 560
small "$shots/first/frmNew.png" frmnew.png 400
small "$shots/first/frmJW.png" frmjw.png 440
small "$shots/first/frmMain-class-timetable.png" class-timetable.png 560
small "$shots/windows/frmPrint.png" print.png 440
ls -l "$img"
