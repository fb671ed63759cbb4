#!/usr/bin/env bash
# The horse, jockey and trainer views of every runner of a whole race day,
# through quindle-cli: each opens without an error, its JSON parses and holds
# its labelled lines, and a code without a master record fails with exit code
# 1 and "マスタレコードがありません".
#
# Usage: cli_runner_windows.sh QUINDLE_CLI [HOME [DAY]]
# Without HOME a small league is generated and downloaded into a fresh
# program folder; DAY defaults to the newest day.
set -euo pipefail
export LC_ALL=C.UTF-8
cli="$1"
. "$(dirname "$0")/lib/scratch_league.sh"
home="${2:-}"
day="${3:-newest}"
py=/usr/bin/python3
[ -x "$py" ] || py=python3

make_work
if [ -z "$home" ]; then
    if ! "$cli" --help | grep -q '^  jvgen '; then
        echo "cli_runner_windows: skipped, this quindle-cli has no jvgen command"
        exit 0
    fi
    home="$work/home"
    "$cli" jvgen --out "$work/store" --size small >"$work/gen.out" 2>&1 ||
        fail "jvgen failed" "$work/gen.out"
    "$cli" download --home "$home" --store "$work/store" --setup --final-odds \
        --from "2000/01/01 00:00:00" >"$work/download.out" 2>&1 ||
        fail "download failed" "$work/download.out"
fi

# "race<TAB>pedigree<TAB>jockey code<TAB>trainer code" of every runner of the day.
races="$("$cli" races --home "$home" --day "$day" 2>/dev/null | wc -l)"
[ "$races" -gt 0 ] || fail "the day $day has no races"
: >"$work/runners"
mkdir -p "$work/cards" "$work/views"
for ((r = 0; r < races; r++)); do
    "$cli" card --home "$home" --day "$day" --race "$r" --format json 2>"$work/card.err" \
        >"$work/cards/$r.json" || fail "card of race $r failed" "$work/card.err"
done
# One interpreter for every card (and below for every view): starting one per
# runner took most of this test's time.
"$py" -c '
import json, pathlib, sys
cards = sorted(pathlib.Path(sys.argv[1]).glob("*.json"), key=lambda p: int(p.stem))
for card in cards:
    for runner in json.load(open(card))["runners"]:
        print("\t".join([card.stem, runner["pedigree"], runner["jockeyCode"], runner["trainerCode"]]))
' "$work/cards" >"$work/runners"

# Checks every view saved as views/N-KIND-CODE.json.
check_views() {
    "$py" -c '
import json, pathlib, sys
checked = 0
for path in sorted(pathlib.Path(sys.argv[1]).glob("*.json")):
    kind, code = path.stem.split("-")[1:3]
    try:
        view = json.load(open(path))
        assert view["NameLabel"].strip(), "empty heading"
        if kind == "horse":
            names = {item.get("name") for item in view["info"]}
            assert {"chakSogo", "chakD2201", "Ashishittsu", "ShokinShogai"} <= names, names
            assert len(view["columns"]) == 48
            for run in view["runs"]:
                assert len(run["cells"]) == 48
        else:
            assert len(view["results"]) == 3 and len(view["gradedWins"]) == 3
            names = {item.get("name") for item in view["results"][0]["lines"]}
            assert {"chakHeiti", "chakSKokura", "chakD2201", "SetteiNenLabel"} <= names, names
            assert view["results"][2]["lines"][0]["text"] == "", "累計 shows a year"
            if kind == "jockey":
                assert len(view["firstRides"]) == 4
    except Exception as e:
        sys.exit(f"{kind} {code}: JSON without its lines: {e!r}")
    checked += 1
print(checked)
' "$work/views" 2>"$work/check.err" >"$work/checked" || fail "views" "$work/check.err"
    [ "$(cat "$work/checked")" = "$views" ] || fail "$(cat "$work/checked") of $views views checked"
}

views=0
view() {
    local kind="$1" code="$2"
    views=$((views + 1))
    "$cli" "$kind" --home "$home" --format json "$code" >"$work/views/$views-$kind-$code.json" \
        2>"$work/view.err" || fail "$kind $code failed" "$work/view.err"
}

runners=0
declare -A seen
while IFS=$'\t' read -r race pedigree jockey trainer; do
    runners=$((runners + 1))
    view horse "$pedigree"
    for pair in "jockey:$jockey" "trainer:$trainer"; do
        [ -n "${seen[$pair]:-}" ] && continue
        seen[$pair]=1
        view "${pair%%:*}" "${pair#*:}"
    done
    if [ "$runners" = 1 ]; then
        for kind in horse jockey trainer; do
            code="$pedigree"
            [ "$kind" = jockey ] && code="$jockey"
            [ "$kind" = trainer ] && code="$trainer"
            "$cli" "$kind" --home "$home" "$code" >"$work/view.txt" 2>"$work/view.err" ||
                fail "$kind $code as text failed" "$work/view.err"
            [ "$(wc -l <"$work/view.txt")" -gt 20 ] || fail "$kind $code: short text" "$work/view.txt"
        done
    fi
done <"$work/runners"
[ "$runners" -gt 0 ] || fail "no runners on $day"
check_views

# No master record: exit code 1 and the message.
for args in "horse 1999999999" "jockey 99999" "trainer 99999"; do
    set +e
    # shellcheck disable=SC2086
    "$cli" ${args%% *} --home "$home" ${args#* } >/dev/null 2>"$work/missing.err"
    status=$?
    set -e
    [ "$status" = 1 ] || fail "$args: exit code $status, not 1"
    grep -q "マスタレコードがありません" "$work/missing.err" || fail "$args: no message" "$work/missing.err"
done
echo "cli_runner_windows: $races races, $runners runners, ${#seen[@]} jockeys and trainers: ok"
