#!/usr/bin/env bash
# The race subcommands of the built program on one generated season: the
# payout file saved and loaded shows what the races show one by one, a
# file cut short loads its whole records and fails, malformed input fails
# with one line on standard error, a day without racing is no error, and
# a day lists the same races from its results and from its race cards, and
# a theory predicts a run race, its card and a week of races.
#
#   race_commands_test.sh PATH/TO/ydbcln
set -u

ydbcln=$1
base=${YDBCLN_TEST_TMP:-${TMPDIR:-/tmp}}
mkdir -p "$base"
work=$(mktemp -d "$base/ydbcln-cli-XXXXXX")
trap 'rm -rf "$work"' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}
run() { "$ydbcln" --data "$work/data" "$@"; }

# Runs a command that must fail with exactly one line on standard error.
fails_with_one_line() {
  if run "$@" >"$work/out" 2>"$work/err"; then fail "'$*' succeeded"; fi
  [ "$(wc -l <"$work/err")" -eq 1 ] || fail "'$*' wrote $(wc -l <"$work/err") lines to stderr"
}

run generate --seasons 2015 --seed 5 >/dev/null 2>&1 || fail "cannot generate a season"

# --- The payout file ---------------------------------------------------------

run payouts --from 20150101 --to 20151231 --save "$work/season.bin" >"$work/saved" ||
  fail "payouts --save"
grep -E '^[0-9]{12}$' "$work/saved" >"$work/codes"
races=$(wc -l <"$work/codes")
[ "$races" -gt 3000 ] || fail "a season of only $races races"
[ "$(stat -c %s "$work/season.bin")" -eq $((races * 126)) ] || fail "not one record per race"
[ -z "$(find "$work" -maxdepth 1 -name 'season.bin.tmp*')" ] || fail "the temporary file was left"
cut -c3-10 "$work/codes" | sort -c 2>/dev/null || fail "races not in date order"

# The payout lines of each race, one race after the other, against those
# of the loaded file, record after record.
# shellcheck disable=SC2046
run payouts $(cat "$work/codes") >"$work/per_race" || fail "payouts RACECODE..."
run payouts --load "$work/season.bin" >"$work/loaded" || fail "payouts --load"
[ "$(grep -c '^record ' "$work/loaded")" -eq "$races" ] || fail "not every record loaded"
grep '^ ' "$work/per_race" >"$work/per_race_lines"
grep '^ ' "$work/loaded" >"$work/loaded_lines"
cmp -s "$work/per_race_lines" "$work/loaded_lines" || fail "the loaded payouts differ from the races'"
grep -q '単勝' "$work/loaded_lines" || fail "no win payouts shown"

# A file cut by one byte: every whole record, then a failure.
head -c -1 "$work/season.bin" >"$work/cut.bin"
fails_with_one_line payouts --load "$work/cut.bin"
grep -q 'partial record' "$work/err" || fail "the cut is not reported: $(cat "$work/err")"
[ "$(grep -c '^record ' "$work/out")" -eq $((races - 1)) ] || fail "whole records of the cut file"
grep '^ ' "$work/out" >"$work/cut_lines"
head -n "$(wc -l <"$work/cut_lines")" "$work/loaded_lines" | cmp -s - "$work/cut_lines" ||
  fail "the cut file's whole records differ"

# --- Malformed input ---------------------------------------------------------

for date in 2015-01-04 20150230 2015010 abcdefgh 201501041; do
  fails_with_one_line day "$date"
done
fails_with_one_line payouts --from 20150230 --to 20151231 --save "$work/x.bin"
fails_with_one_line payouts --from 20150101 --save "$work/x.bin"
fails_with_one_line payouts 0520150104
fails_with_one_line payouts --load "$work/missing.bin"
fails_with_one_line runner 052015010411 19
fails_with_one_line runner 05201501041x 1
fails_with_one_line odds 052015010413
fails_with_one_line odds 052015010411 --top 0
[ ! -e "$work/x.bin" ] || fail "a refused save wrote its file"

# --- Days, runners and odds ---------------------------------------------------

# A Tuesday without racing: an empty day.
run day 20150106 >"$work/out" || fail "a day without racing failed"
run --json day 20150106 >"$work/out" || fail "a day without racing failed (--json)"
grep -q '"venues": \[\]' "$work/out" || fail "a day without racing has venues: $(cat "$work/out")"

# The latest race day, by default, with its venues and races.
run --json day >"$work/out" || fail "day"
grep -q '"date": 20151' "$work/out" || fail "the latest race day is not in December"
grep -q '"main_race"' "$work/out" || fail "no venue on the latest race day"

# The day from its race cards lists the races its results list, and the
# results asked for by the bare venue key are the same rows.
races_of() { grep -E '"(code|name)":' "$1" | grep -v '"code": "[0-9]{10}"'; }
run --json day 20151227 >"$work/results" || fail "day 20151227"
run --json day 20151227 --card >"$work/cards" || fail "day --card"
run --json day 20151227 --short >"$work/short" || fail "day --short"
[ -n "$(races_of "$work/results")" ] || fail "no races on 20151227"
[ "$(races_of "$work/results")" = "$(races_of "$work/cards")" ] || fail "day and day --card list other races"
cmp -s "$work/results" "$work/short" || fail "day --short differs from day"

first=$(head -n 1 "$work/codes")
run runner "$first" 1 >"$work/out" || fail "runner"
grep -qE 'Opponent +[^- ]' "$work/out" || fail "runner shows no opponent"
run runner "$first" 1 --card >"$work/out" || fail "runner --card"
run --json odds "$first" --top 3 >"$work/out" || fail "odds"
grep -q '"exists": true' "$work/out" || fail "no final odds for $first"
run odds "$first" --forecast >"$work/out" || fail "odds --forecast"
grep -q '予想オッズ\|前売りオッズ' "$work/out" || fail "forecast odds not described"

# --- A theory on the season's races -------------------------------------------

run theory add --title 着順重視 --item 8:60 --item 11:40 --item 22:30 >/dev/null || fail "theory add"
run predict 着順重視 "$first" --bet quinella --box 1:4 >"$work/out" || fail "predict"
grep -q '^Factor 3: 22 ' "$work/out" || fail "predict shows no third factor"
grep -q '^Hits: ' "$work/out" || fail "predict checks no hits on a run race"
run predict 1 "$first" --card >"$work/out" || fail "predict --card"
grep -q 'has not been run' "$work/out" || fail "predict --card checked hits"
# The range run counts every run race of the week.
week=$(cut -c3-10 "$work/codes" | awk '$1 >= 20151201 && $1 <= 20151207' | wc -l)
run --json predict 1 --from 20151201 --to 20151207 >"$work/out" || fail "predict --from --to"
grep -q "\"races\": $week," "$work/out" || fail "the range run does not count the $week races of the week"
[ "$(run --json rank "$first" | grep -c '"factor":')" -eq 78 ] || fail "rank does not give 78 factors"

echo "race commands: $races races checked"
