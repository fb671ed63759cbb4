#!/usr/bin/env bash
# Screenshots of getting data in the window:
#  - download-dialog.png: the download dialog while it reads, grabbed by the
#    acquisition GUI test in the middle of its download of the small league;
#  - replayed-morning.png: the main window after a replayed morning. The small
#    league's real-time day is downloaded as it stood at 08:00; the window then
#    runs on a simulated clock from 09:25 at 60 times real speed for a minute
#    (an hour of the race day), fetching each race's odds before its post time
#    by itself.
# Usage: tools/acquisition_screenshots.sh [OUT_DIR]   (default: screenshots in the build folder)
# Builds nothing: build quindle, quindle-cli and acquisition_test first.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${QUINDLE_BUILD_DIR:-$root/build}"
out="$(mkdir -p "${1:-$build/screenshots}" && cd "${1:-$build/screenshots}" && pwd)"
cli="$build/src/cli/quindle-cli"
gui="$build/src/gui/quindle"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
unset QUINDLE_JVSIM_STORE QUINDLE_JVSIM_INI QUINDLE_HOME

QUINDLE_SHOT_DIR="$out" QT_QPA_PLATFORM=offscreen \
    "$build/tests/gui/acquisition_test" downloadDialogCancelsAndResumes >/dev/null

"$cli" jvgen --out "$work/league" --size small >/dev/null 2>&1
day="$(sed -n 's/^realtime_from=//p' "$work/league/store.ini")"
"$cli" download --home "$work/home" --store "$work/league" --setup \
    --from "2000/01/01 00:00:00" --now "${day}0800" >/dev/null 2>&1
"$root/tools/screenshot.sh" "$out/replayed-morning.png" 60 -- \
    "$gui" --home "$work/home" --store "$work/league" --messages stderr \
    --clock "${day:0:4}/${day:4:2}/${day:6:2} 09:25:00" --clock-speed 60 --day "$day"
echo "screenshots in $out" >&2
