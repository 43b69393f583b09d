#!/usr/bin/env bash
# Prints through a real print queue: installs CUPS and cups-pdf when missing, starts a
# cupsd of its own in a temporary folder (its own socket, configuration, spool and logs;
# the machine's CUPS, if any, is not touched), adds a cups-pdf queue, and runs
# build/tests/print_queue_test, which chooses the queue in the print dialog's printer
# set-up and prints a month and a tally table on it. Then checks the PDF files cups-pdf
# made (their pages) and renders the first page of each to PNG (kept in build/print-queue/,
# to be looked at). The texts cannot be read back from these files: cups-pdf makes its PDF
# from PostScript by Ghostscript, which carries the glyphs as Type 3 fonts without a
# Unicode map. Needs root: the cups-pdf backend runs only as root.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

pkgs=(cups-daemon cups-client cups-filters printer-driver-cups-pdf ghostscript poppler-utils)
bash scripts/deps.sh "${pkgs[@]}"
[ -x build/tests/print_queue_test ] || { bash scripts/deps.sh && bash scripts/build.sh; }

work=$(mktemp -d /tmp/tly-cups-XXXXXX)
chmod 755 "$work"  # the filters run as lp and read the spool
mkdir -p "$work/spool" "$work/cache" "$work/state" "$work/tmp" "$work/log" "$work/out" "$work/pdfspool"
chown root:lp "$work/spool" "$work/cache" "$work/state" "$work/tmp" 2>/dev/null || true
chmod 1770 "$work/spool" "$work/tmp"
chmod 770 "$work/cache" "$work/state"
chmod 777 "$work/out"
queue=tly-pdf-$$
queue_conf=/etc/cups/cups-pdf-$queue.conf
cupsd_pid=""
cleanup() {
  [ -n "$cupsd_pid" ] && kill "$cupsd_pid" 2>/dev/null && wait "$cupsd_pid" 2>/dev/null
  rm -rf "$work"
  rm -f "$queue_conf" "/var/log/cups/cups-pdf-${queue}_log"
}
trap cleanup EXIT

cat > "$work/cupsd.conf" <<CONF
Listen $work/cups.sock
LogLevel ${TLY_CUPS_LOGLEVEL:-warn}
WebInterface No
Browsing No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Location /admin>
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
cat > "$work/cups-files.conf" <<CONF
ServerRoot $work
RequestRoot $work/spool
CacheDir $work/cache
StateDir $work/state
TempDir $work/tmp
AccessLog $work/log/access_log
ErrorLog $work/log/error_log
PageLog $work/log/page_log
FileDevice Yes
Sandboxing Relaxed
CONF
# cups-pdf reads the settings of a queue from /etc/cups/cups-pdf-QUEUE.conf: a queue of a
# name of its own gets a file there for the run, removed at the end.
cat > "$queue_conf" <<CONF
Out $work/out
AnonDirName $work/out
Spool $work/pdfspool
Log $work/log
Grp root
Label 1
UserUMask 0000
LogType 3
CONF

/usr/sbin/cupsd -f -c "$work/cupsd.conf" -s "$work/cups-files.conf" &
cupsd_pid=$!
export CUPS_SERVER="$work/cups.sock"
for _ in $(seq 50); do [ -S "$work/cups.sock" ] && break; sleep 0.1; done
lpadmin -p "$queue" -v "cups-pdf:/$queue" -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd -E 2>&1 | grep -v 'deprecated' || true
lpstat -p "$queue"

export TLY_QUEUE="$queue" TLY_QUEUE_OUT="$work/out" QT_QPA_PLATFORM=offscreen
status=0
build/tests/print_queue_test || status=$?

keep="$root/build/print-queue"
rm -rf "$keep" && mkdir -p "$keep"
if [ -f "$work/out/jobs.txt" ]; then
  while read -r kind pdf; do
    pages=$(pdfinfo "$pdf" | sed -n 's/^Pages: *//p')
    pdftoppm -r 80 -f 1 -l 1 -png "$pdf" "$keep/$kind" 2>/dev/null
    cp "$pdf" "$keep/$kind.pdf"
    echo "$kind: $pages pages, $(wc -c < "$pdf") bytes, first page: $keep/$kind-1.png"
    # A month of all grades is a page a grade (3); the tally table of one grade one page.
    case $kind in
      month) [ "$pages" -eq 3 ] || { echo "FAILED: the month has $pages pages"; status=1; } ;;
      tally) [ "$pages" -eq 1 ] || { echo "FAILED: the tally table has $pages pages"; status=1; } ;;
    esac
  done < "$work/out/jobs.txt"
else
  status=1
fi
if [ $status -ne 0 ]; then
  lpstat -W all -o "$queue" || true; lpstat -W completed -o || true
  echo "--- cupsd error log"; cat "$work/log/error_log" 2>/dev/null | tail -30
  echo "--- cups-pdf log"; cat "$work/log/cups-pdf"*log "/var/log/cups/cups-pdf-${queue}_log" 2>/dev/null | tail -30
fi
ls "$keep"
exit $status
