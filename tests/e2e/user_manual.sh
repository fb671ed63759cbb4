#!/usr/bin/env bash
# The user guide the build makes beside the window program, Quindle.pdf, is
# the guide of doc/manual: every chapter's heading is there as text (set in
# an embedded Japanese font, so it reads back as the same characters), and
# so is every picture the source names.
#
# Usage: user_manual.sh QUINDLE_CLI (in BUILD_DIR/src/cli; a build without
# the window program or with QUINDLE_BUILD_MANUAL off has no guide, and the
# script says so and passes)
set -euo pipefail

cli="$1"
. "$(dirname "$0")/lib/scratch_league.sh"
build="$(cd "$(dirname "$cli")/../.." && pwd)"
root="$(cd "$(dirname "$0")/../.." && pwd)"
source_md="$root/doc/manual/quindle.md"
pdf="$build/src/gui/Quindle.pdf"

if [ ! -x "$build/src/gui/quindle" ] \
    || grep -q '^QUINDLE_BUILD_MANUAL:BOOL=OFF' "$build/CMakeCache.txt"; then
    echo "user_manual: skipped, this build makes no user guide"
    exit 0
fi
[ -s "$pdf" ] || fail "no Quindle.pdf beside the window program"

make_work
pdffonts "$pdf" >"$work/fonts"
grep -Eq '^NotoSans(Mono)?CJK[^ ]* .* yes ' "$work/fonts" \
    || fail "no embedded Japanese font" "$work/fonts"

# The font maps some kanji to the glyphs of their radicals (用 and ⽤), so
# the text and the headings are compared in compatibility form.
pdftotext -enc UTF-8 "$pdf" "$work/text"
python3 - "$source_md" "$work/text" >"$work/missing" <<'PY' || fail "chapters missing from the PDF:" "$work/missing"
import sys, unicodedata
def nfkc(path):
    return unicodedata.normalize("NFKC", open(path, encoding="utf-8").read())
text = nfkc(sys.argv[2])
missing = [l[2:] for l in nfkc(sys.argv[1]).splitlines() if l.startswith("# ") and l[2:] not in text]
print("\n".join(missing))
sys.exit(1 if missing else 0)
PY

named="$(grep -c '^!\[' "$source_md")"
pdfimages -list "$pdf" | tail -n +3 >"$work/images"
[ "$(wc -l <"$work/images")" -eq "$named" ] \
    || fail "the source names $named pictures, the PDF holds these:" "$work/images"
[ "$named" -gt 0 ] || fail "the guide names no pictures"
echo "user_manual: $(pdfinfo "$pdf" | sed -n 's/^Pages: *//p') pages, $named pictures"
