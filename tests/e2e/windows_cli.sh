#!/usr/bin/env bash
# The 32-bit Windows quindle-cli.exe under Wine against the Linux build: the
# same version, the same small league byte for byte, and a download through
# the substitute into the same files (names and bytes), which runs the
# Windows paths of file replacement, folders and text conversion for real.
#
# Usage: windows_cli.sh LINUX_QUINDLE_CLI, with QUINDLE_WINDOWS_CLI naming
# quindle-cli.exe and QUINDLE_WINDOWS_WINE the Wine to run it with (default
# wine; scripts/build-windows.sh --test sets both). Skips when there is no
# Windows build or no Wine.
set -euo pipefail
cli="$1"
. "$(dirname "$0")/lib/scratch_league.sh"
exe="${QUINDLE_WINDOWS_CLI:-}"
read -r -a wine <<<"${QUINDLE_WINDOWS_WINE:-wine}"
if [ -z "$exe" ] || [ ! -f "$exe" ] || ! command -v "${wine[0]}" >/dev/null; then
    echo "windows_cli: skipped, no Windows build (scripts/build-windows.sh) or no Wine"
    exit 0
fi
export WINEDEBUG="${WINEDEBUG:--all}"

make_work
win() { "${wine[@]}" "$exe" "$@"; }
# The Windows form of a Linux path (Wine's drive Z: is the root folder).
winpath() { printf 'Z:%s' "${1//\//\\}"; }

linux_version="$("$cli" --version)"
windows_version="$(win --version | tr -d '\r')"
[ "$windows_version" = "$linux_version" ] ||
    fail "version '$windows_version' under Wine, '$linux_version' on Linux"

"$cli" jvgen --out "$work/league-linux" --size small >/dev/null 2>&1
win jvgen --out "$(winpath "$work/league-windows")" --size small >/dev/null 2>"$work/jvgen.err" ||
    fail "jvgen under Wine failed" "$work/jvgen.err"
diff -r "$work/league-linux" "$work/league-windows" >"$work/jvgen.diff" 2>&1 ||
    fail "the small league differs between Linux and Windows" "$work/jvgen.diff"

common=(--setup --final-odds --from "2000/01/01 00:00:00")
"$cli" download --home "$work/home-linux" --store "$work/league-linux" "${common[@]}" \
    >"$work/linux.out" 2>&1 || fail "the Linux download failed" "$work/linux.out"
win download --home "$(winpath "$work/home-windows")" --store "$(winpath "$work/league-linux")" \
    --jvlink substitute "${common[@]}" >"$work/windows.out" 2>&1 ||
    fail "the download under Wine failed" "$work/windows.out"
# The error log holds times; the settings file is compared key by key below.
diff -r -x ErrorLog.txt -x quindle.ini "$work/home-linux" "$work/home-windows" \
    >"$work/download.diff" 2>&1 ||
    fail "the downloaded files differ between Linux and Windows" "$work/download.diff"
# The download's own keys are the same; folder paths are each system's own.
for key in LastTime SetUpLapFile; do
    a="$(grep -a "^$key=" "$work/home-linux/quindle.ini" | tr -d '\r' || true)"
    b="$(grep -a "^$key=" "$work/home-windows/quindle.ini" | tr -d '\r' || true)"
    [ "$a" = "$b" ] || fail "settings key $key: '$a' on Linux, '$b' under Wine"
done
files=$(find "$work/home-windows" -type f | wc -l)
echo "windows_cli: version $windows_version, the small league and a download of $files files" \
    "are the same under Wine as on Linux"
