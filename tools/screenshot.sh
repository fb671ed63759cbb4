#!/usr/bin/env bash
# Takes a screenshot of the desktop program under a virtual X server with a
# window manager (so the caption shows).
# Usage: tools/screenshot.sh OUT.png [SECONDS] -- COMMAND [ARGS...]
# The virtual screen is $QUINDLE_SCREEN (default 1400x960) pixels.
set -euo pipefail
out="$1"; shift
wait_s=3
if [ "${1:-}" != "--" ]; then wait_s="$1"; shift; fi
[ "${1:-}" = "--" ] && shift
export OUT="$out" WAIT_S="$wait_s"
xvfb-run -a -s "-screen 0 ${QUINDLE_SCREEN:-1400x960}x24" bash -c '
  openbox >/dev/null 2>&1 &
  wm=$!
  sleep 1
  "$@" &
  app=$!
  sleep "$WAIT_S"
  import -window root "$OUT"
  kill "$app" "$wm" 2>/dev/null || true
' screenshot "$@"
echo "$out"
