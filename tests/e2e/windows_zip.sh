#!/usr/bin/env bash
# The Windows zip (scripts/package-windows.sh) unpacked and run under 64-bit
# Wine: quindle.exe answers --version; on a virtual X display it opens a copy
# of the demo folder on the newest day's race card (odds, ◎/☆ marks) and a
# screenshot of it is taken; the zip's quindle-cli.exe makes the same small
# league and download as the Linux build (windows_cli.sh) and sends the test
# mail to the local SMTP test server (cli_mail.sh) through Windows' own TLS.
#
# Usage: windows_zip.sh LINUX_QUINDLE_CLI (in BUILD_DIR/src/cli), with
# QUINDLE_WINDOWS_ZIP naming the zip; QUINDLE_ZIP_SCREENSHOT names where the
# screenshot goes (default: beside the zip). Skips when there is no zip or no
# 64-bit Wine.
set -euo pipefail
cli="$(realpath "$1")"
here="$(cd "$(dirname "$0")" && pwd)"
. "$here/lib/scratch_league.sh"
zip="${QUINDLE_WINDOWS_ZIP:-}"
wine=/usr/lib/wine/wine64
if [ -z "$zip" ] || [ ! -f "$zip" ] || [ ! -x "$wine" ]; then
    echo "windows_zip: skipped, no Windows zip (scripts/package-windows.sh) or no 64-bit Wine"
    exit 0
fi
zip="$(realpath "$zip")"
shot="${QUINDLE_ZIP_SCREENSHOT:-${zip%.zip}.png}"
build="$(cd "$(dirname "$cli")/../.." && pwd)"
root="$(cd "$here/../.." && pwd)"

make_work
unzip -q "$zip" -d "$work/unpacked"
app="$(echo "$work/unpacked"/*/)"
app="${app%/}"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64 WINEPREFIX="$work/wine"
unset WAYLAND_DISPLAY
winpath() { printf 'Z:%s' "${1//\//\\}"; }

# Without a display: --version is answered before Qt starts.
version="$(env -u DISPLAY "$wine" "$app/quindle.exe" --version | tr -d '\r')"
expected="quindle $("$cli" --version | awk '{ print $NF }')"
[ "$version" = "$expected" ] || fail "quindle.exe --version: '$version', not '$expected'"

# The terminal program: the same league and download as on Linux, then mail.
QUINDLE_WINDOWS_WINE="$wine" QUINDLE_WINDOWS_CLI="$app/quindle-cli.exe" \
    bash "$here/windows_cli.sh" "$cli"
printf '#!/bin/sh\nexec %s %s "$@"\n' "$wine" "$app/quindle-cli.exe" >"$work/cli-wine"
chmod +x "$work/cli-wine"
# Schannel matches a certificate's DNS names only: the server is "localhost".
QUINDLE_SMTP_TEST_HOST=localhost bash "$here/cli_mail.sh" "$work/cli-wine" >"$work/mail.out" 2>&1 ||
    fail "the zip's quindle-cli.exe did not send the test mail under Wine" "$work/mail.out"
echo "windows_zip: the zip's quindle-cli.exe sent the test mail (STARTTLS) to the local server"

# The window, on a copy of the demo folder. Windows has Japanese fonts of its
# own; Wine has not, so the Japanese faces Qt asks for are the Noto CJK of
# the machine (fonts-noto-cjk), which Wine finds through fontconfig.
QUINDLE_DEMO_HOME="$work/demo" QUINDLE_DEMO_SIZE=small "$root/scripts/demo-home.sh" "$build" \
    >"$work/demo.out" 2>&1 || fail "demo-home.sh failed" "$work/demo.out"
for face in "MS UI Gothic" "MS Gothic" "MS PGothic" "Meiryo" "Meiryo UI" "Yu Gothic UI"; do
    "$wine" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /d "Noto Sans CJK JP" /f \
        >/dev/null 2>&1
done
DEMO="$(winpath "$work/demo")"
STORE="$(winpath "$work/demo/store")"
export OUT="$shot" APP="$app" WINE="$wine" DEMO STORE TREE="$work/windows.txt"
xvfb-run -a -s "-screen 0 1400x960x24" bash -c '
  openbox >/dev/null 2>&1 &
  wm=$!
  LANG=ja_JP.UTF-8 "$WINE" "$APP/quindle.exe" --home "$DEMO" --store "$STORE" --day newest &
  app=$!
  # The window comes up within a minute (the first start makes the Wine prefix).
  for _ in $(seq 120); do
    xwininfo -root -tree 2>/dev/null | grep -q "\"quindle.exe\" \"quindle.exe\"" && break
    kill -0 "$app" 2>/dev/null || break
    sleep 1
  done
  sleep 5
  xwininfo -root -tree >"$TREE" 2>&1 || true
  import -window root "$OUT"
  kill "$app" "$wm" 2>/dev/null || true
  wineserver -k 2>/dev/null || true
' windows_zip >"$work/window.out" 2>&1 || true
# The main window: a window of quindle.exe at least 600 by 400.
big=0
while IFS=x read -r width height; do
    [ "$width" -ge 600 ] && [ "$height" -ge 400 ] && big=1
done < <(grep '"quindle.exe" "quindle.exe"' "$work/windows.txt" | grep -oE '[0-9]+x[0-9]+\+' | tr -d +)
[ "$big" = 1 ] || fail "quindle.exe opened no main window under Wine" "$work/windows.txt"
[ -s "$shot" ] || fail "no screenshot of the window"
colours="$(convert "$shot" -format %k info:)"
[ "$colours" -gt 16 ] || fail "the screenshot is blank ($colours colours)"
echo "windows_zip: $version; the window came up under Wine on the demo folder," \
    "screenshot $shot ($colours colours)"
