#!/usr/bin/env bash
# The demo program folder shows what the program is for: on its newest race
# day the cards carry odds and ◎/☆ recommendation marks (the league's jockey
# table and the morning odds are in the folder). Made from the small league.
set -euo pipefail
cli="$1"
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="$(cd "$(dirname "$cli")/../.." && pwd)"

if ! "$cli" --help | grep -q '^  jvgen '; then
    echo "demo_home: skipped, this quindle-cli has no jvgen command to make a league"
    exit 0
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
home="$(QUINDLE_DEMO_HOME="$work/home" QUINDLE_DEMO_SIZE=small \
    "$root/scripts/demo-home.sh" "$build" 2>"$work/err")" || {
    cat "$work/err" >&2
    exit 1
}

marks=0 odds=0
races="$("$cli" races --home "$home" --day newest | wc -l)"
for race in $(seq 0 $((races - 1))); do
    card="$("$cli" card --home "$home" --day newest --race "$race" --format tsv 2>/dev/null)" || continue
    marks=$((marks + $(printf '%s\n' "$card" | grep -c '◎\|☆' || true)))
    # The win odds column holds a number on a runner's row.
    odds=$((odds + $(printf '%s\n' "$card" | grep -cE $'\t *[0-9]+\\.[0-9]\t' || true)))
done
echo "demo_home: newest day, $races races: $marks rows with marks, $odds rows with odds"
[ "$marks" -gt 0 ] || { echo "demo_home: no recommendation mark on the newest day" >&2; exit 1; }
[ "$odds" -gt 0 ] || { echo "demo_home: no odds on the newest day" >&2; exit 1; }
