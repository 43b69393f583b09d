#!/usr/bin/env bash
# Makes the Debian package (cpack -G DEB in build/: build/tly_VERSION_amd64.deb), unpacks
# it into a clean folder (dpkg -x) and runs the installed program from there: --version,
# "new" writing a data file, and the desktop program under Xvfb, which must start, keep
# running and write its working file when ended by SIGTERM. Checks that the menu entry,
# the MIME type and the icon are in their XDG places and valid, and prints lintian's
# report on the package (installed when missing; its findings do not fail this script).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
[ -x build/tly ] || { bash scripts/deps.sh && bash scripts/build.sh; }
pkgs=(desktop-file-utils shared-mime-info lintian)
bash scripts/deps.sh "${pkgs[@]}"

(cd build && cpack -G DEB >/dev/null)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/CMakeCache.txt)
deb="build/tly_${version}_amd64.deb"
[ -f "$deb" ] || { echo "FAILED: no $deb"; exit 1; }
echo "package: $deb ($(wc -c < "$deb") bytes)"
dpkg-deb -f "$deb" Depends

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
dpkg -x "$deb" "$work/root"
tly="$work/root/usr/bin/tly"
status=0
fail() { echo "FAILED: $*"; status=1; }

"$tly" --version | grep -qx "TLY 授業時数集計 $version" || fail "--version"
"$tly" new 2025 -o "$work/year.DAT" || fail "new"
[ -s "$work/year.DAT" ] || fail "new wrote no file"
"$tly" holidays 2025 | grep -q '憲法記念の日' || fail "holidays"

for f in usr/share/applications/tly.desktop usr/share/mime/packages/tly.xml \
         usr/share/icons/hicolor/48x48/apps/tly.png usr/share/icons/hicolor/scalable/apps/tly.svg; do
  [ -f "$work/root/$f" ] || fail "missing $f"
done
desktop-file-validate "$work/root/usr/share/applications/tly.desktop" || fail "desktop entry"
mkdir -p "$work/mime/packages"
cp "$work/root/usr/share/mime/packages/tly.xml" "$work/mime/packages/"
update-mime-database "$work/mime" || fail "MIME type"
grep -q 'application/x-tly-data' "$work/mime/types" || fail "MIME type not registered"

# The desktop program from the installed path: it runs until ended, then keeps the year.
mkdir -p "$work/dir"
set +e
HOME="$work/home" xvfb-run -a timeout -k 5 -s TERM 8 "$tly" --dir "$work/dir" >"$work/desktop.log" 2>&1
rc=$?
set -e
[ "$rc" -eq 124 ] || [ "$rc" -eq 137 ] || { cat "$work/desktop.log"; fail "desktop program ended by itself (status $rc)"; }
[ "$rc" -eq 137 ] && fail "desktop program did not end on SIGTERM (killed after 5 s more)"
[ -s "$work/dir/JJTEMP3.DAT" ] || fail "desktop program wrote no working file"
echo "installed program: --version, new, holidays, desktop program under Xvfb: $([ $status -eq 0 ] && echo ok || echo FAILED)"

echo "--- lintian"
lintian --no-tag-display-limit "$deb" || true
exit $status
