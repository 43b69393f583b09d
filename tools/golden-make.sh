#!/usr/bin/env bash
# Makes the golden files of the command line's outputs with a given tly binary:
#   tools/golden-make.sh PATH/TO/tly
# First the input files under tests/golden/inputs/ (made with that binary, apart from the
# hand-written texts, timetables, settings and clipboard texts of the older-format set),
# then, for every case, tests/golden/expected/CASE/ holding
#   stdout    everything the case's commands wrote to standard output
#   stderr    the same for standard error (only when not empty)
#   FILES     every file left in the case's temporary folder, under its own name
# Paths in arguments: @IN is tests/golden/inputs, @TMP the case's fresh temporary folder;
# in stdout and stderr those folders are written back as @IN and @TMP.
# tests/cli/golden_test.cpp runs the same cases in-process and compares byte for byte;
# its table and the cases below must list the same commands.
set -euo pipefail
if [ $# -ne 1 ] || [ ! -x "$1" ]; then
  echo "usage: $0 PATH/TO/tly" >&2
  exit 2
fi
TLY="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"
cd "$(dirname "$0")/.."
GOLDEN="$PWD/tests/golden"
IN="$GOLDEN/inputs"
EXP="$GOLDEN/expected"
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT
rm -rf "$IN" "$EXP"
mkdir -p "$IN" "$EXP"

# ---------------------------------------------------------------- helpers for the inputs

# Runs tly for an input; anything but success stops the script.
make_input() { (cd "$WORK" && "$TLY" "$@") >/dev/null; }

# CP932 bytes of a UTF-8 text.
cp932() { printf '%s' "$1" | iconv -f UTF-8 -t CP932; }

# A 16-bit little-endian number.
i16() { printf "\\$(printf %03o $(($1 & 255)))\\$(printf %03o $((($1 >> 8) & 255)))"; }

# A fixed-width field of the older timetable file: CP932, padded with blanks.
field() {
  local width=$1 n
  n=$(cp932 "$2" | wc -c)
  cp932 "$2"
  printf "%$((width - n))s" ""
}

# One 1022-byte timetable record: kind, name, then the cells of periods 0..6, each
# period Sunday..Saturday. Cells come as "weekday:period=text" words (weekday 0 = Sunday);
# the rest of the record is NUL bytes, as the program writes it.
timetable_record() {
  local kind=$1 name=$2
  shift 2
  declare -A cell=()
  local kv
  for kv in "$@"; do cell[${kv%%=*}]=${kv#*=}; done
  i16 "$kind"
  field 20 "$name"
  local p w
  for p in 0 1 2 3 4 5 6; do
    for w in 0 1 2 3 4 5 6; do field 10 "${cell[$w:$p]-}"; done
  done
  head -c 510 /dev/zero
}

# A week of subjects for a class: "MON TUE WED THU FRI SAT" rows of one period each.
class_week() {
  local p=1 row w s
  for row in "$@"; do
    w=1
    for s in $row; do
      [ "$s" != "-" ] && printf '%s ' "$w:$p=$s"
      w=$((w + 1))
    done
    p=$((p + 1))
  done
}

# ---------------------------------------------------------------- inputs

# New years: the years, grade and period counts and closed Saturdays the cases cover.
make_input new 1998 --grades 3 --periods 5 --closed-saturdays none -o "$IN/y1998-g3-p5-satnone.dat"
make_input new 1999 --grades 6 --periods 7 --closed-saturdays 1,3 -o "$IN/y1999-g6-p7-sat13.dat"
make_input new 2024 -o "$IN/y2024-g3-p6.dat"

# An older-format set with texts and timetables: the lesson file of a new 1998 year in
# the older format, its texts with school events added, and hand-written timetables.
make_input new 1998 --grades 3 --periods 6 -o "$WORK/base.dat"
make_input convert "$WORK/base.dat" "$IN/rich.DAT" --to v2
{
  cp932 "0,4,8,0,始業式"; printf '\r\n'
  cp932 "1,4,9,0,入学式"; printf '\r\n'
  cp932 "1,4,9,1,新入生保護者会"; printf '\r\n'
  cp932 "3,5,20,0,修学旅行（京都・奈良）"; printf '\r\n'
  cp932 "3,5,21,0,修学旅行"; printf '\r\n'
  cp932 "0,7,17,0,終業式"; printf '\r\n'
  cp932 "0,9,1,0,始業式"; printf '\r\n'
  cp932 "2,10,15,1,校外学習 雨天は16日"; printf '\r\n'
  cp932 "0,12,22,0,終業式"; printf '\r\n'
  cp932 "0,3,24,0,修了式"; printf '\r\n'
  cp932 "0,3,24,1,大掃除"; printf '\r\n'
} >>"$IN/rich.das"
{
  i16 5; field 20 ""
  for i in $(seq 49); do field 10 ""; done
  head -c 510 /dev/zero
  # shellcheck disable=SC2046
  timetable_record 1 "1年1組" $(class_week "国語 数学 英語 理科 社会 国語" "数学 英語 国語 社会 理科 数学" \
    "英語 理科 数学 国語 音楽 英語" "理科 社会 美術 数学 英語 -" "体育 国語 社会 体育 数学 -" \
    "学活 技家 道徳 英語 体育 -")
  # shellcheck disable=SC2046
  timetable_record 1 "3年2組" $(class_week "数学 国語 理科 英語 社会 数学" "英語 数学 社会 国語 理科 国語" \
    "理科 英語 数学 社会 国語 英語" "社会 理科 英語 数学 美術 -" "国語 体育 国語 理科 数学 -" \
    "道徳 学活 体育 技家 英語 -")
  timetable_record 1 "2年1組"
  # shellcheck disable=SC2046
  timetable_record 2 "山田 太郎" $(class_week "1-1国語 - 3-2国語 - - 1-1国語" "- 3-2数学 1-1国語 3-2国語 - -" \
    "- - - 1-1国語 - -" "- - - - 3-2国語 -" "3-2国語 1-1国語 3-2国語 - - -" "- - - - - -")
  # shellcheck disable=SC2046
  timetable_record 2 "佐藤" $(class_week "- 1-1数学 - - - 1-1数学" "1-1数学 - - - - 1-1数学" \
    "- - 1-1数学 - - -" "- - - 1-1数学 - -" "- - - - 1-1数学 -" "- - - - - -")
} >"$IN/rich.daj"
# Its settings file: items of its own, two of them new.
{
  printf '[TLY]\r\n'
  printf 'UDisp=False\r\nEditAll=False\r\nGgn=3\r\n'
  cp932 "FontName=ＭＳ 明朝"; printf '\r\n'
  printf 'FontSize=10.5\r\nJItem=10\r\n'
  i=1
  for item in 行事 学業 学裁 学指 道徳 ｸﾗﾌﾞ 学活 事前 遠足 検診; do
    cp932 "JItem$i=$item"; printf '\r\n'
    i=$((i + 1))
  done
  printf 'JWC=True\r\nJWS=False\r\n'
} >"$IN/tly.ini"
mkdir "$WORK/settings"
cp "$IN/tly.ini" "$WORK/settings/"
make_input convert "$IN/rich.DAT" "$IN/rich.dat" --to v3 --periods 6 --dir "$WORK/settings"

# Clipboard texts for paste (UTF-8, as the clipboard holds them): a block of events,
# references, items and a cleared period, and one item for a whole selection.
printf '%s\r\n' $'体育祭\t行事\t行事\t行事\t／\t月 3\t月 4' $'\t遠足\tｸﾗﾌﾞ\tｸﾗﾌﾞ\t遠足\t/\t' \
  $'\t水 1\t水２' >"$IN/paste-block.txt"
printf '%s\r\n' "検診" >"$IN/paste-item.txt"
# A 2 x 2 block of subjects for a timetable's cells.
printf '%s\r\n' $'音楽\t美術' $'技術\t家庭' >"$IN/timetable-block.txt"
# The school's own targets for the report against the standard hours.
printf '%s\r\n' "校種,学年,教科,時数" "中学校,3,数学,150" "中学校,3,総授業時数,1050" >"$IN/targets.csv"

# ---------------------------------------------------------------- cases

CASE= CASEDIR= TMP= OUT= ERR=

begin() {
  CASE=$1
  CASEDIR="$EXP/$CASE"
  TMP="$WORK/case-$CASE"
  mkdir -p "$CASEDIR" "$TMP"
  OUT="$WORK/$CASE.stdout"
  ERR="$WORK/$CASE.stderr"
  : >"$OUT"
  : >"$ERR"
}

# copy SRC DST: inputs/SRC into the temporary folder as DST.
copy() {
  mkdir -p "$(dirname "$TMP/$2")"
  cp "$IN/$1" "$TMP/$2"
}

# run STATUS [< inputs/FILE] ARGS...: one command; its exit status must be STATUS.
run_from() {
  local stdin=$1 want=$2
  shift 2
  local args=() a
  for a in "$@"; do
    a=${a//@IN/$IN}
    args+=("${a//@TMP/$TMP}")
  done
  local rc=0
  (cd "$WORK" && "$TLY" "${args[@]}") <"$stdin" >>"$OUT" 2>>"$ERR" || rc=$?
  if [ "$rc" -ne "$want" ]; then
    echo "$CASE: tly $* exited with $rc, expected $want" >&2
    cat "$ERR" >&2
    exit 1
  fi
}
run() { run_from /dev/null "$@"; }
run_pasting() { local f=$1; shift; run_from "$IN/$f" "$@"; }

# Outputs with the folders written back as @TMP and @IN.
finish() {
  local f
  for f in "$OUT" "$ERR"; do
    LC_ALL=C sed -i -e "s|$TMP|@TMP|g" -e "s|$IN|@IN|g" "$f"
  done
  cp "$OUT" "$CASEDIR/stdout"
  [ -s "$ERR" ] && cp "$ERR" "$CASEDIR/stderr"
  (cd "$TMP" && find . -type f -print0 | while IFS= read -r -d '' f; do
    mkdir -p "$CASEDIR/$(dirname "$f")"
    cp "$f" "$CASEDIR/$f"
  done)
}

# New years: the bytes of `tly new` for each year, grade and period count.
begin new-1998-g3-p5-satnone
run 0 new 1998 --grades 3 --periods 5 --closed-saturdays none -o @TMP/y.dat
finish
begin new-1999-g6-p7-sat13
run 0 new 1999 --grades 6 --periods 7 --closed-saturdays 1,3 -o @TMP/y.dat
finish
begin new-2024-defaults
run 0 new 2024 -o @TMP/y.dat
finish
begin new-2024-g6-p5-satall
run 0 new 2024 --grades 6 --periods 5 --closed-saturdays 1,2,3,4,5 -o @TMP/y.dat
finish

# Dumps of the new years and of the file with texts and timetables.
begin dump-1998
run 0 dump @IN/y1998-g3-p5-satnone.dat
finish
begin dump-1999
run 0 dump @IN/y1999-g6-p7-sat13.dat
finish
begin dump-2024
run 0 dump @IN/y2024-g3-p6.dat
finish
begin dump-rich
run 0 dump @IN/rich.dat
finish

# Month grids: holidays, Saturdays, 5 and 7 periods, all lessons or only the changed ones.
begin month-1998
run 0 month @IN/y1998-g3-p5-satnone.dat --grade 2 --month 4
run 0 month @IN/y1998-g3-p5-satnone.dat --grade 3 --month 1 --changes-only
finish
begin month-1999
run 0 month @IN/y1999-g6-p7-sat13.dat --grade 6 --month 9
run 0 month @IN/y1999-g6-p7-sat13.dat --grade 1 --month 2 --changes-only
finish
begin month-2024
run 0 month @IN/y2024-g3-p6.dat --grade 1 --month 5
run 0 month @IN/y2024-g3-p6.dat --grade 3 --month 12 --changes-only
finish
# With a timetable's subjects in the cells.
begin month-rich-timetables
run 0 month @IN/rich.dat --grade 1 --month 4
run 0 month @IN/rich.dat --grade 1 --month 4 --class 1
run 0 month @IN/rich.dat --grade 3 --month 5 --class 2 --changes-only
run 0 month @IN/rich.dat --grade 1 --month 6 --teacher 1
run 0 month @IN/rich.dat --grade 2 --month 10 --class 3
finish

# Tallies of the whole year and of a range of days.
begin tally-1998
run 0 tally @IN/y1998-g3-p5-satnone.dat --grade 1
run 0 tally @IN/y1998-g3-p5-satnone.dat --grade 3 --from 9/1 --to 12/25
finish
begin tally-1999
run 0 tally @IN/y1999-g6-p7-sat13.dat --grade 6
run 0 tally @IN/y1999-g6-p7-sat13.dat --grade 2 --from 1/8 --to 3/31
finish
begin tally-2024
run 0 tally @IN/y2024-g3-p6.dat --grade 2
run 0 tally @IN/y2024-g3-p6.dat --grade 2 --from 4/1 --to 7/19
finish
# Class and teacher timetables: subjects, teachers' grade-led entries, an empty timetable.
begin tally-rich-timetables
run 0 tally @IN/rich.dat --grade 1
run 0 tally @IN/rich.dat --grade 1 --class 1
run 0 tally @IN/rich.dat --grade 3 --class 2 --from 5/1 --to 7/17
run 0 tally @IN/rich.dat --grade 1 --teacher 1
run 0 tally @IN/rich.dat --grade 2 --teacher 2 --from 4/6 --to 4/30
run 0 tally @IN/rich.dat --grade 2 --class 3
finish

# Editing: references, items, "/" and texts typed into cells, for one grade or all;
# the month and tally show the result.
begin edit-cells
copy rich.dat y.dat
run 0 edit @TMP/y.dat --grade 1 --month 6 --day 3 --period 2 --text "金 5"
run 0 edit @TMP/y.dat --grade 1 --month 6 --day 3 --period 3 --text "月３"
run 0 edit @TMP/y.dat --grade 1 --month 6 --day 4 --period 1 --text "遠足へ" --all-grades
run 0 edit @TMP/y.dat --grade 1 --month 6 --day 4 --period 6 --text "/"
run 0 edit @TMP/y.dat --grade 1 --month 6 --day 5 --period events --text "歯科検診" --all-grades
run 0 edit @TMP/y.dat --grade 1 --month 6 --day 5 --period remarks --text "午後は短縮"
run 0 edit @TMP/y.dat --grade 1 --month 4 --day 8 --period events --text ""
run 0 month @TMP/y.dat --grade 1 --month 6
run 0 month @TMP/y.dat --grade 2 --month 6 --changes-only
run 0 tally @TMP/y.dat --grade 1 --from 6/1 --to 6/30
finish
# Pasting a block at the events column, and one item over a single cell for every grade.
begin paste-cells
copy rich.dat y.dat
run_pasting paste-block.txt 0 paste @TMP/y.dat --grade 2 --month 10 --row 9 --col 2
run_pasting paste-item.txt 0 paste @TMP/y.dat --grade 2 --month 11 --row 4 --col 5 --all-grades
run 0 month @TMP/y.dat --grade 2 --month 10
run 0 month @TMP/y.dat --grade 1 --month 11 --changes-only
run 0 tally @TMP/y.dat --grade 2
finish

# Timetables: listing, showing, pasting a block, adding, inserting, renaming and deleting;
# the month and the tally follow the pasted subjects.
begin timetable-edit
copy rich.dat y.dat
run 0 timetable @TMP/y.dat list --class
run 0 timetable @TMP/y.dat list --teacher
run 0 timetable @TMP/y.dat show --class 1
run_pasting timetable-block.txt 0 timetable @TMP/y.dat paste --class 1 --row 1 --col 2
run 0 timetable @TMP/y.dat show --class 1
run 0 timetable @TMP/y.dat add --class --name "1年2組"
run 0 timetable @TMP/y.dat add --class --name " 2年1組 " --at 1
run 0 timetable @TMP/y.dat rename --teacher 2 --name "佐藤 花子"
run 0 timetable @TMP/y.dat delete --class 4
run 0 timetable @TMP/y.dat list --class
run 0 timetable @TMP/y.dat list --teacher
run 0 month @TMP/y.dat --grade 1 --month 4 --class 2
run 0 tally @TMP/y.dat --grade 1 --class 2
finish
# Timetable refusals leave the file as it was.
begin timetable-refusals
copy rich.dat y.dat
run 1 timetable @TMP/y.dat delete --class 9
run 1 timetable @TMP/y.dat add --class --name ""
run_pasting timetable-block.txt 1 timetable @TMP/y.dat paste --class 1 --row 6 --col 5
run 2 timetable @TMP/y.dat show --class
finish

# Saving again, and converting to the older set and back.
begin resave-rich
run 0 resave @IN/rich.dat @TMP/out.dat
finish
begin convert-rich-to-v2
run 0 convert @IN/rich.dat @TMP/OUT.DAT --to v2
finish
begin convert-1999-to-v2-with-settings
run 0 convert @IN/y1999-g6-p7-sat13.dat @TMP/Y1999.DAT --to v2 --dir @TMP
finish
begin convert-v2-to-v3-with-settings
copy tly.ini settings/tly.ini
run 0 convert @IN/rich.DAT @TMP/rich.dat --to v3 --periods 6 --dir @TMP/settings
finish
begin convert-v2-to-v3-five-periods
run 0 convert @IN/rich.DAT @TMP/rich.dat --to v3 --periods 5
finish

# National holidays: the fixed table's and the law's, and a year built with the law's.
begin holidays-lists
run 0 holidays 2026
run 0 holidays 2026 --law
run 0 holidays 2019 --law
run 0 holidays 1988 --law
finish
begin new-2026-law
run 0 new 2026 --holidays law -o @TMP/y.dat
run 0 month @TMP/y.dat --grade 1 --month 9
run 0 month @TMP/y.dat --grade 3 --month 3
finish
# The next year from a year with timetables: everything carried, then the classes moved
# up a grade without the items, the month through a carried class timetable, and a
# source that cannot be read.
begin new-from-rich
run 0 new 2027 --from @IN/rich.dat -o @TMP/y.dat
run 0 month @TMP/y.dat --grade 1 --month 4 --class 1
run 0 new 2027 --from @IN/rich.dat --advance-grades --no-carry items -o @TMP/advanced.dat
run 0 timetable @TMP/advanced.dat list --class
run 1 new 2027 --from @TMP/missing.dat -o @TMP/never.dat
finish
begin holidays-refusals
run 2 holidays 1948 --law
run 2 holidays 2099 --law
run 2 holidays 1899
run 2 new 2099 --holidays law -o @TMP/never.dat
run 2 new 2026 --holidays moon -o @TMP/never.dat
finish
# Class hours against the standard: the whole school, one class with the school's targets,
# the year read as an elementary school, and the refusals.
begin report-rich
run 0 report @IN/rich.dat --to 7/17
run 0 report @IN/rich.dat --class 2 --to 12/22 --targets @IN/targets.csv
run 0 report @IN/rich.dat --school elementary --to 3/31
run 1 report @IN/rich.dat --class 4 --to 4/1
run 2 report @IN/rich.dat --school high
run 1 report @IN/rich.dat --targets @IN/paste-item.txt
finish

# Refusals: their messages and exit statuses, and files left as they were.
begin refusals
copy rich.dat y.dat
run 0 help
run 2 new 2024 --periods 8 -o @TMP/never.dat
run 2 month @IN/rich.dat --grade 1 --month 4 --class 4
run 1 tally @IN/rich.DAT --grade 1
run 1 tally @IN/rich.dat --grade 2 --teacher 3
run 1 edit @TMP/y.dat --grade 1 --month 6 --day 3 --period 2 --text "理科"
run 1 edit @TMP/y.dat --grade 1 --month 6 --day 31 --period 2 --text "月 1"
run_pasting paste-block.txt 1 paste @TMP/y.dat --grade 2 --month 10 --row 30 --col 2
run 1 dump @TMP/missing.dat
finish

echo "golden files written to $GOLDEN ($(du -sh "$GOLDEN" | cut -f1))"
