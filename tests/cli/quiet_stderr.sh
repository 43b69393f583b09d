#!/bin/sh
# `tly print` and `tly report --pdf` write their PDF files without a window system and
# without a runtime directory, and say nothing on the error output.
set -u
tly="$1"
dir=$(mktemp -d) || exit 1
trap 'rm -rf "$dir"' EXIT
status=0
input="$dir/year.DAT"
"$tly" new 2024 --grades 6 -o "$input" >/dev/null || exit 1
"$tly" timetable "$input" add --class --name 1年1組 >/dev/null || exit 1
check() {
  env -u XDG_RUNTIME_DIR -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$tly" "$@" >"$dir/out" 2>"$dir/err"
  rc=$?
  if [ $rc -ne 0 ] || [ -s "$dir/err" ]; then
    echo "tly $*: exit $rc, error output:"; cat "$dir/err"; status=1
  fi
}
check print "$input" --pdf "$dir/a.pdf"
[ -s "$dir/a.pdf" ] || { echo "no PDF written by print"; status=1; }
check report "$input" --to 7/19 --pdf "$dir/b.pdf"
[ -s "$dir/b.pdf" ] || { echo "no PDF written by report"; status=1; }
exit $status
