# Sourced by the end-to-end scripts (with `cli` set to quindle-cli): the skip
# for a quindle-cli without the league generator, a scratch folder removed at
# exit, a small league downloaded into a program folder, and the end of a
# failed check.

# Ends the script with success and a note when `cli` cannot generate a league.
require_jvgen() {  # SCRIPT_NAME
    if ! "$cli" --help | grep -q '^  jvgen '; then
        echo "$1: skipped, this quindle-cli has no jvgen command to make a league"
        exit 0
    fi
}

# A fresh scratch folder in `work`, removed when the script ends.
make_work() {
    work="$(mktemp -d)"
    trap 'rm -rf "$work"' EXIT
}

# The small league generated into $work/league and downloaded whole into HOME.
download_small_league() {  # HOME
    "$cli" jvgen --out "$work/league" --size small >/dev/null 2>&1
    "$cli" download --home "$1" --store "$work/league" --setup --final-odds \
        --from "2000/01/01 00:00:00" >/dev/null 2>&1
}

# Ends the script with a failure: the script's name and MESSAGE, then the
# files that show why.
fail() {  # MESSAGE [FILE...]
    echo "$(basename "$0" .sh): $1" >&2
    shift
    cat "$@" >&2 2>/dev/null || true
    exit 1
}
