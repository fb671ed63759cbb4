#!/usr/bin/env bash
# Prints the race day that screenshots show: QUINDLE_SHOT_DAY when set, else
# the newest day of the program folder HOME that has results (so the result
# columns and payouts are filled).
# Usage: tools/shot_day.sh QUINDLE_CLI HOME
set -euo pipefail
cli="$1"
home="$2"
if [ -n "${QUINDLE_SHOT_DAY:-}" ]; then
  echo "$QUINDLE_SHOT_DAY"
  exit 0
fi
while IFS= read -r candidate; do
  if [ -f "$home/Data/$candidate.jvHR" ]; then echo "$candidate"; exit 0; fi
done < <("$cli" days --home "$home")
echo "no race day with results in $home" >&2
exit 1
