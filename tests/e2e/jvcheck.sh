#!/usr/bin/env bash
# quindle-cli jvgen writes the small league; jvcheck finds every record of its
# store and of the odds viewer's folder sound. Bad options are refused.
set -euo pipefail
cli="$1"
dir="$(mktemp -d)"
trap 'rm -rf "$dir"' EXIT

"$cli" jvgen --out "$dir/league" --size small --seed 3 2>"$dir/jvgen.txt"
grep -q "^runners: " "$dir/jvgen.txt"
for f in files.tsv realtime.tsv store.ini jockdata.kcsv; do
    test -s "$dir/league/$f"
done
test -d "$dir/league/jikeiretu"

"$cli" jvcheck "$dir/league" >"$dir/jvcheck.txt"
tail -n 1 "$dir/jvcheck.txt" | grep -qx "all records are sound"

# Generating again into the league's folder replaces it with the same bytes.
cp "$dir/league/files.tsv" "$dir/files.before"
"$cli" jvgen --out "$dir/league" --size small --seed 3 2>/dev/null
cmp "$dir/files.before" "$dir/league/files.tsv"

for bad in "--size huge" "--seed x" "--seed -1" "--colour red"; do
    # shellcheck disable=SC2086
    if "$cli" jvgen $bad --out "$dir/bad" 2>/dev/null; then
        echo "jvgen accepted: $bad" >&2
        exit 1
    fi
done
if "$cli" jvgen --size small 2>/dev/null; then
    echo "jvgen ran without --out" >&2
    exit 1
fi
echo "jvgen and jvcheck: ok"
