#!/bin/sh
# The desktop program, shown on a private X server, ends as its Exit does (working file
# written, running-copy counter back to 0) when it gets SIGTERM while the first start's
# question is open, and when the X server goes away under it.
set -u
tly="$1"
command -v Xvfb >/dev/null 2>&1 || { echo "Xvfb is not installed: skipped"; exit 77; }
work=$(mktemp -d) || exit 1
xpid=""
tpid=""
cleanup() {
  [ -n "$tpid" ] && kill -9 "$tpid" 2>/dev/null
  [ -n "$xpid" ] && kill "$xpid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
status=0

startX() {
  rm -f "$work/display"
  Xvfb -displayfd 3 -nolisten tcp -screen 0 1024x768x24 3>"$work/display" 2>/dev/null &
  xpid=$!
  for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
  display=":$(cat "$work/display")"
}

# Starts the program on folder $1 with settings file $2, and waits until it has counted
# itself as running and had time to finish its start.
startTly() {
  env -u WAYLAND_DISPLAY DISPLAY="$display" QT_QPA_PLATFORM=xcb "$tly" --dir "$1" --settings "$2" \
    >"$work/out" 2>"$work/err" &
  tpid=$!
  for _ in $(seq 300); do grep -q "ExTLY=1" "$2" 2>/dev/null && break; sleep 0.1; done
  sleep 3
}

# Waits up to 20 s for the program to end; false when it is still running.
ended() {
  for _ in $(seq 200); do kill -0 "$tpid" 2>/dev/null || { wait "$tpid" 2>/dev/null; tpid=""; return 0; }; sleep 0.1; done
  return 1
}

counterIsZero() { grep -q "ExTLY=0" "$1"; }

# 1. First start in an empty folder: SIGTERM while "編集中のデータがありません" is open.
startX
mkdir "$work/a"
startTly "$work/a" "$work/a.ini"
kill -TERM "$tpid"
if ! ended; then
  echo "SIGTERM during the first start's question: still running after 20 s"; status=1
  kill -9 "$tpid"; tpid=""
fi
counterIsZero "$work/a.ini" || { echo "SIGTERM during the first start's question: the counter stays raised"; status=1; }
kill "$xpid"; wait "$xpid" 2>/dev/null; xpid=""

# 2. A year open, then the X server is killed.
startX
mkdir "$work/b"
"$tly" new 2024 --grades 3 -o "$work/b/JJTEMP3.DAT" >/dev/null || exit 1
touch -d "2 minutes ago" "$work/b/JJTEMP3.DAT"
before=$(stat -c %Y.%i "$work/b/JJTEMP3.DAT")
startTly "$work/b" "$work/b.ini"
kill -9 "$xpid"; wait "$xpid" 2>/dev/null; xpid=""
if ! ended; then
  echo "X server gone: still running after 20 s"; status=1
  kill -9 "$tpid"; tpid=""
fi
[ "$(stat -c %Y.%i "$work/b/JJTEMP3.DAT")" != "$before" ] || { echo "X server gone: the working file was not written"; status=1; }
"$tly" dump "$work/b/JJTEMP3.DAT" >/dev/null 2>&1 || { echo "X server gone: the working file cannot be read"; status=1; }
counterIsZero "$work/b.ini" || { echo "X server gone: the counter stays raised"; status=1; }
[ $status -ne 0 ] && { echo "error output of the last run:"; cat "$work/err"; }
exit $status
