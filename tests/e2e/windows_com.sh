#!/usr/bin/env bash
# JV-Link through real COM activation under 64-bit Wine: the registered
# JV-Link double (tests/jvlink_double, the component's ProgID and class id
# over the substitute's store) in a fresh Wine prefix, spoken to by the
# Windows quindle-cli.exe through its COM adapter. The presence test finds it
# only once it is registered; a download, and the odds and results
# retrievals, give the same files and output as the Linux substitute; the
# component's result codes pass through unchanged; and every object the
# double made has been released when each run ends.
#
# Usage: windows_com.sh LINUX_QUINDLE_CLI, with QUINDLE_WINDOWS_CLI naming
# quindle-cli.exe, QUINDLE_JVLINK_DOUBLE the double's DLL (both of the same
# Windows build) and QUINDLE_WINDOWS_WINE the Wine to run them with
# (scripts/build-windows.sh --test sets them). Skips without them.
set -euo pipefail
cli="$1"
. "$(dirname "$0")/lib/scratch_league.sh"
exe="${QUINDLE_WINDOWS_CLI:-}"
dll="${QUINDLE_JVLINK_DOUBLE:-}"
read -r -a wine <<<"${QUINDLE_WINDOWS_WINE:-wine}"
if [ -z "$exe" ] || [ ! -f "$exe" ] || [ -z "$dll" ] || [ ! -f "$dll" ] ||
    ! command -v "${wine[0]}" >/dev/null; then
    echo "windows_com: skipped, no Windows build with the JV-Link double or no Wine"
    exit 0
fi
require_jvgen windows_com

make_work
export WINEDEBUG="${WINEDEBUG:--all}" WINEPREFIX="$work/prefix"
unset QUINDLE_JVSIM_STORE QUINDLE_JVSIM_INI QUINDLE_JVSIM_FAULT
win() { "${wine[@]}" "$exe" "$@"; }
# The Windows form of a Linux path (Wine's drive Z: is the root folder).
winpath() { printf 'Z:%s' "${1//\//\\}"; }
# Every object the double made in the last run has been released.
log="$work/double.log"
export QUINDLE_JVDOUBLE_LOG="$log"
all_released() {  # WHAT
    [ -s "$log" ] || fail "$1: the double made no object" "$work/com.err"
    made=$(grep -c '^created' "$log")
    gone=$(grep -c '^released' "$log")
    [ "$made" = "$gone" ] && [ "$(tail -n 1 "$log" | tr -d '\r')" = "released 0" ] ||
        fail "$1: objects left alive" "$log"
    rm -f "$log"
}

"${wine[@]}" wineboot -i >/dev/null 2>&1 || fail "no fresh Wine prefix"

# Not registered: the presence test says the component is missing.
if win jvlink-presence --jvlink com >"$work/absent.out" 2>&1; then
    fail "the presence test found JV-Link before it was registered" "$work/absent.out"
fi
grep -q "JV-Link" "$work/absent.out" || fail "no absence message" "$work/absent.out"

"${wine[@]}" regsvr32 /s "$(winpath "$dll")" >"$work/reg.out" 2>&1 ||
    fail "regsvr32 of the double failed" "$work/reg.out"
win jvlink-presence --jvlink com >"$work/present.out" 2>&1 ||
    fail "the presence test did not find the registered double" "$work/present.out"
all_released "the presence test"

"$cli" jvgen --out "$work/league" --size small >/dev/null 2>&1
export QUINDLE_JVSIM_STORE="$(winpath "$work/league")"

# The whole small league: through COM, the same files as the Linux substitute.
common=(--setup --final-odds --from "2000/01/01 00:00:00")
"$cli" download --home "$work/home-linux" --store "$work/league" "${common[@]}" \
    >"$work/linux.out" 2>&1 || fail "the Linux download failed" "$work/linux.out"
win download --home "$(winpath "$work/home-com")" --jvlink com "${common[@]}" \
    >"$work/com.out" 2>"$work/com.err" || fail "the download through COM failed" "$work/com.err"
all_released "the download"
diff -r -x ErrorLog.txt -x quindle.ini "$work/home-linux" "$work/home-com" \
    >"$work/download.diff" 2>&1 ||
    fail "the files downloaded through COM differ from the substitute's" "$work/download.diff"

# The real-time retrievals of the first day, the same records either way.
day="$("$cli" days --home "$work/home-linux" | head -n 1)"
[ -n "$day" ] || fail "the download made no race day"
for what in odds results; do
    "$cli" rt "$what" --home "$work/home-linux" --store "$work/league" --day "$day" \
        >"$work/rt-linux.out" 2>"$work/rt-linux.err" || fail "rt $what on Linux failed" "$work/rt-linux.err"
    win rt "$what" --home "$(winpath "$work/home-com")" --jvlink com --day "$day" \
        >"$work/rt-com.out" 2>"$work/com.err" || fail "rt $what through COM failed" "$work/com.err"
    all_released "rt $what"
    diff <(tr -d '\r' <"$work/rt-com.out") "$work/rt-linux.out" \
        >"$work/rt.diff" || fail "rt $what through COM reads other records" "$work/rt.diff"
    diff -r -x ErrorLog.txt -x quindle.ini "$work/home-linux" "$work/home-com" \
        >"$work/rt.diff" 2>&1 || fail "rt $what through COM stored other files" "$work/rt.diff"
done

# Result codes pass through COM unchanged: the same report as the substitute
# gives directly, code and all.
for fault in "JVOpen:-1" "JVOpen:-201" "JVRead:-203@3" "JVRead:-3@2x3" "JVRead:-502@5"; do
    code="${fault#*:}"
    code="${code%%@*}"
    rm -rf "$work/f-linux" "$work/f-com"
    set +e
    "$cli" download --home "$work/f-linux" --store "$work/league" --jvsim-fault "$fault" \
        "${common[@]}" >"$work/f-linux.out" 2>&1
    linux_rc=$?
    QUINDLE_JVSIM_FAULT="$fault" win download --home "$(winpath "$work/f-com")" --jvlink com \
        "${common[@]}" >"$work/f-com.out" 2>&1
    com_rc=$?
    set -e
    all_released "the download with $fault"
    [ "$linux_rc" = "$com_rc" ] ||
        fail "$fault: exit $com_rc through COM, $linux_rc directly" "$work/f-com.out"
    # -1 (no data) and -3 (read on) are no errors: they leave no code in the report.
    if [ "$code" != "-1" ] && [ "$code" != "-3" ]; then
        grep -q -- "($code)" "$work/f-com.out" || fail "$fault: no ($code) reported" "$work/f-com.out"
    fi
    diff -r -x ErrorLog.txt -x quindle.ini "$work/f-linux" "$work/f-com" >"$work/f.diff" 2>&1 ||
        fail "$fault: other files through COM" "$work/f.diff"
done

files=$(find "$work/home-com" -type f | wc -l)
echo "windows_com: presence, a download of $files files, rt odds and results and the result" \
    "codes are the same through the registered COM double as from the substitute"
