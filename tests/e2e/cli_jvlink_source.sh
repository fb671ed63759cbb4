#!/usr/bin/env bash
# Where quindle-cli finds its JV-Link: the store named by "[jvsim] store=" in
# the program folder's settings file (relative to the folder) serves a normal
# download and a real-time retrieval without --store; without any store
# setting the acquisition commands say how to name one.
set -euo pipefail
cli="$1"
. "$(dirname "$0")/lib/scratch_league.sh"

require_jvgen cli_jvlink_source

make_work
home="$work/home"
mkdir -p "$home"
"$cli" jvgen --out "$home/league" --size small >/dev/null 2>&1

# No store anywhere: refused with the ways to name one.
unset QUINDLE_JVSIM_STORE QUINDLE_JVSIM_INI
if "$cli" download --home "$home" --normal >"$work/none.out" 2>"$work/none.err"; then
    fail "a download without any store setting succeeded" "$work/none.out"
fi
grep -q "no JV-Link store" "$work/none.err" || fail "no store: unexpected message" "$work/none.err"

# The settings file names the store (UTF-8 text, as the program writes it).
printf '[jvsim]\r\nstore=league\r\n' >"$home/quindle.ini"
"$cli" download --home "$home" --setup --final-odds --from "2000/01/01 00:00:00" \
    >"$work/setup.out" 2>"$work/setup.err" || fail "set-up download failed" "$work/setup.err"
"$cli" download --home "$home" --normal >"$work/normal.out" 2>"$work/normal.err" ||
    fail "normal download with [jvsim] store= failed" "$work/normal.err"
grep -q "^download " "$work/normal.out" || fail "normal download printed no summary" "$work/normal.out"

day="$("$cli" days --home "$home" | head -n 1)"
[ -n "$day" ] || fail "the download made no race day" "$work/setup.err"
"$cli" rt results --home "$home" --day "$day" >"$work/rt.out" 2>"$work/rt.err" ||
    fail "rt results with [jvsim] store= failed" "$work/rt.err"
grep -q "^rt results: " "$work/rt.out" || fail "rt printed no summary" "$work/rt.out"
echo "cli_jvlink_source: download and rt served by [jvsim] store=league"
