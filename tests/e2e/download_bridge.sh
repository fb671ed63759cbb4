#!/usr/bin/env bash
# The accumulated download through a JV-Link bridge process
# (--jvlink "bridge quindle-cli jvlink-bridge ...") leaves the same files as
# the download straight from the substitute: also when the download is killed
# and resumed, and when the bridge itself is killed in the middle of the
# reading, which ends that download with a JV-Link read error, not a hang,
# and leaves a folder the next download resumes cleanly.
#
# Usage: download_bridge.sh QUINDLE_CLI
set -euo pipefail

cli="$1"
. "$(dirname "$0")/lib/scratch_league.sh"
if ! "$cli" --help | grep -q '^  jvlink-bridge '; then
    echo "download_bridge: skipped, this quindle-cli has no jvlink-bridge command"
    exit 0
fi

make_work
"$cli" jvgen --out "$work/store" --size small >/dev/null 2>&1

common=(--setup --from "2000/01/01 00:00:00" --flush-interval-ms 0)
sim=(--store "$work/store" --jvsim-download-step=50)
bridge="bridge $cli jvlink-bridge --store $work/store --jvsim-download-step=50"

start=$(date +%s%N)
"$cli" download --home "$work/A" "${sim[@]}" "${common[@]}" >"$work/A.out" 2>"$work/A.err" ||
    fail "the direct download failed" "$work/A.out" "$work/A.err"
took_ms=$((($(date +%s%N) - start) / 1000000))

same_as_direct() {
    diff -r -x 'ErrorLog.txt' "$work/A" "$1" >"$work/diff" 2>&1 ||
        fail "$2: the files differ from the direct download" "$work/diff"
}

# Straight through the bridge.
"$cli" download --home "$work/B" --jvlink "$bridge" "${common[@]}" >"$work/B.out" \
    2>"$work/B.err" || fail "the download through the bridge failed" "$work/B.out" "$work/B.err"
same_as_direct "$work/B" "through the bridge"

# Sleeps `1` tenths of the direct download's time.
sleep_tenths() {
    local ms=$((took_ms * $1 / 10))
    sleep "$((ms / 1000)).$(printf '%03d' $((ms % 1000)))"
}

# The download killed twice and resumed; its bridge ends with it.
for tenths in 3 6; do
    "$cli" download --home "$work/C" --jvlink "$bridge" "${common[@]}" >/dev/null 2>&1 &
    pid=$!
    sleep_tenths "$tenths"
    kill -KILL "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
done
"$cli" download --home "$work/C" --jvlink "$bridge" "${common[@]}" >"$work/C.out" \
    2>"$work/C.err" || fail "the resumed download through the bridge failed" "$work/C.err"
same_as_direct "$work/C" "killed and resumed through the bridge"

# The bridge killed while the download reads: the download reports the read
# error and fails; the next one resumes.
predownloaded="bridge $cli jvlink-bridge --store $work/store --jvsim-predownloaded=1"
"$cli" download --home "$work/D" --jvlink "$predownloaded" "${common[@]}" >"$work/D1.out" \
    2>"$work/D1.err" &
pid=$!
sleep_tenths 3
child="$(pgrep -P "$pid" | head -n 1 || true)"
[ -n "$child" ] || fail "no bridge process under the download (it ended too soon?)" "$work/D1.err"
kill -KILL "$child"
rc=0
wait "$pid" || rc=$?
[ "$rc" -ne 0 ] || fail "the download went on as if nothing happened" "$work/D1.out" "$work/D1.err"
grep -q 'JVReadエラー' "$work/D1.err" || fail "no read error reported" "$work/D1.err"
grep -q "^download failed" "$work/D1.out" || fail "no failed summary" "$work/D1.out"
"$cli" download --home "$work/D" --jvlink "$predownloaded" "${common[@]}" >"$work/D2.out" \
    2>"$work/D2.err" || fail "the download after the killed bridge failed" "$work/D2.err"
same_as_direct "$work/D" "resumed after the bridge was killed"
echo "download_bridge: through the bridge, killed and resumed, bridge killed mid-read:" \
    "the same files as the direct download ($(cat "$work/D1.out"))"
