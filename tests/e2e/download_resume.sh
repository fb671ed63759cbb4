#!/usr/bin/env bash
# A set-up download killed (SIGKILL) at random moments and resumed until it
# completes leaves every file, the settings file included, byte for byte as
# one uninterrupted download does.
#
# Usage: download_resume.sh QUINDLE_CLI
# QUINDLE_E2E_LEAGUE_SIZE picks the league (default small: a demo league
# takes minutes per run on a busy disk); QUINDLE_E2E_SEED the seed of the
# kill moments (default: the process id). The downloads write their files at
# least every 200 ms, so that the resume point moves many times in a run.
set -euo pipefail

cli="$1"
. "$(dirname "$0")/lib/scratch_league.sh"
size="${QUINDLE_E2E_LEAGUE_SIZE:-small}"
seed="${QUINDLE_E2E_SEED:-$$}"

require_jvgen download_resume

make_work

"$cli" jvgen --out "$work/store" --size "$size" >/dev/null 2>&1

# Everything the store holds, with the download stage kept short but present.
common=(--store "$work/store" --setup --from "2000/01/01 00:00:00" --jvsim-download-step=50
    --flush-interval-ms 0)

start=$(date +%s%N)
"$cli" download --home "$work/A" "${common[@]}" >"$work/A.out" 2>"$work/A.err" || {
    echo "download_resume: the uninterrupted download failed"
    cat "$work/A.out" "$work/A.err"
    exit 1
}
took_ms=$((($(date +%s%N) - start) / 1000000))
echo "download_resume: $size league, uninterrupted download in ${took_ms} ms: $(cat "$work/A.out")"

# Runs are killed at random moments between a tenth and nine tenths of
# `span`, at first the time of the uninterrupted download, until `kill_runs`
# kills; a run that ends before its kill moment has completed the download.
# Should it complete with fewer than three kills behind it, the folder starts
# afresh with half the span. At last one run goes to its end.
RANDOM=$seed
span=$took_ms
kill_runs=10
attempt=0
kills=0
resume_points=""
while :; do
    attempt=$((attempt + 1))
    if [ "$attempt" -gt 40 ]; then
        echo "download_resume: no complete run after $attempt attempts"
        exit 1
    fi
    "$cli" download --home "$work/B" "${common[@]}" >"$work/B.out" 2>>"$work/B.err" &
    pid=$!
    if [ "$kills" -lt "$kill_runs" ]; then
        wait_ms=$((span / 10 + ((RANDOM << 15) | RANDOM) % (span * 8 / 10 + 1)))
        sleep "$((wait_ms / 1000)).$(printf '%03d' $((wait_ms % 1000)))"
        if kill -KILL "$pid" 2>/dev/null; then
            wait "$pid" 2>/dev/null || true
            kills=$((kills + 1))
            lap=$(grep -a '^SetUpLapFile=' "$work/B/quindle.ini" 2>/dev/null | cut -d= -f2 || true)
            resume_points="$resume_points ${lap:--}"
            continue
        fi
    fi
    rc=0
    wait "$pid" || rc=$?
    if [ "$rc" -ne 0 ]; then
        echo "download_resume: a resumed download failed (exit $rc)"
        cat "$work/B.out" "$work/B.err"
        exit 1
    fi
    if [ "$kills" -lt 3 ]; then
        rm -rf "$work/B"
        span=$((span / 2))
        kills=0
        resume_points=""
        continue
    fi
    break
done
echo "download_resume: resume points after the kills:$resume_points"
echo "download_resume: killed $kills times, completed on attempt $attempt: $(cat "$work/B.out")"

# The temporary files a kill left behind are gone: each resumed run removes
# them before it writes.
left="$(find "$work/B" -name '.*.tmp-*' | head -5)"
if [ -n "$left" ]; then
    echo "download_resume: temporary files left behind:"
    echo "$left"
    exit 1
fi
# The error log holds times.
if ! diff -r -x 'ErrorLog.txt' "$work/A" "$work/B" >"$work/diff" 2>&1; then
    echo "download_resume: the resumed download differs from the uninterrupted one"
    head -20 "$work/diff"
    exit 1
fi
files=$(find "$work/A" -type f | wc -l)
echo "download_resume: $files files identical (seed $seed)"
