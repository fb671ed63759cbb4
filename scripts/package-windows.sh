#!/usr/bin/env bash
# Makes dist/quindle-<version>-windows-x64.zip from the Windows build with the
# window (scripts/build-windows.sh --gui); says that it is skipped, and why,
# when that build is not there. scripts/package.sh runs it after the Debian
# package. With --check it then checks the zip under Wine
# (tests/e2e/windows_zip.sh).
#
# The zip holds one folder, quindle-<version>-windows-x64, with
#   quindle.exe, quindle-cli.exe   the 64-bit window and terminal program
#   quindle-cli32.exe              the 32-bit terminal program: the bridge to
#                                  the 32-bit JV-Link, which the 64-bit
#                                  programs start by themselves
#   *.dll                          the Qt and mingw run-time DLLs, found from
#                                  the programs' and plugins' imports
#   platforms/, styles/            Qt's Windows platform and style plugins
#   translations/qtbase_ja.qm      Qt's own texts in Japanese
#   qt.conf                        tells Qt that its files are beside the program
#   はじめにお読みください.txt     the first steps, in Japanese
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
check=0
[ "${1:-}" = "--check" ] && check=1
build="${QUINDLE_WINDOWS_BUILD_DIR:-$root/build-windows}"
build64="$build/quindle-x86_64" build32="$build/quindle"
skip() {
  echo "Windows zip skipped: $*" >&2
  exit 0
}
[ -f "$build64/src/gui/quindle.exe" ] ||
  skip "no Windows build with the window (scripts/build-windows.sh --gui makes it; the first" \
    "time it builds Qt for Windows, an hour or more)"
[ -f "$build32/src/cli/quindle-cli.exe" ] ||
  skip "no 32-bit quindle-cli.exe (scripts/build-windows.sh makes it)"
qt="$(sed -n 's/^qt=//p' < <("$root/scripts/build-windows-qt.sh" --print))"
[ -f "$qt/.complete" ] || skip "no cached Qt for Windows in $qt"

version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build64/CMakeCache.txt")"
name="quindle-$version-windows-x64"
stage="$build/zip/$name"
rm -rf "$build/zip"
mkdir -p "$stage/platforms" "$stage/styles" "$stage/translations" "$root/dist"

cp "$build64/src/gui/quindle.exe" "$build64/src/cli/quindle-cli.exe" "$stage/"
cp "$build32/src/cli/quindle-cli.exe" "$stage/quindle-cli32.exe"
cp "$qt/plugins/platforms/qwindows.dll" "$stage/platforms/"
cp "$qt/plugins/styles/qwindowsvistastyle.dll" "$stage/styles/"
ja=/usr/share/qt6/translations/qtbase_ja.qm
if [ -f "$ja" ]; then
  cp "$ja" "$stage/translations/"
else
  echo "Windows zip: no $ja (Debian's qt6-translations-l10n): Qt's own texts stay English" >&2
fi
printf '[Paths]\r\nPrefix = .\r\nPlugins = .\r\nTranslations = translations\r\n' >"$stage/qt.conf"
cp "$root/packaging/windows/はじめにお読みください.txt" "$stage/"

# The DLLs a Windows program or DLL imports that are ours to ship: each import
# found in Qt's or the compiler's folders, and what those import in turn; the
# rest are Windows' own.
dlls64=("$qt/bin" /usr/lib/gcc/x86_64-w64-mingw32/*-posix /usr/x86_64-w64-mingw32/lib)
dlls32=(/usr/lib/gcc/i686-w64-mingw32/*-posix /usr/i686-w64-mingw32/lib)
imports() { x86_64-w64-mingw32-objdump -p "$1" | sed -n 's/^\s*DLL Name: //p'; }
# The path of the DLL $1 in the first of the folders after it that has it.
find_dll() {
  local name="$1" folder hit
  shift
  for folder in "$@"; do
    hit="$(find "$folder" -maxdepth 1 -iname "$name" -print -quit)"
    [ -z "$hit" ] || { echo "$hit"; return 0; }
  done
}
queue=("$stage/quindle.exe" "$stage/quindle-cli.exe" "$stage/platforms/qwindows.dll"
  "$stage/styles/qwindowsvistastyle.dll")
declare -A seen
while [ ${#queue[@]} -gt 0 ]; do
  file="${queue[0]}"
  queue=("${queue[@]:1}")
  while read -r dll; do
    key="${dll,,}"
    [ -n "${seen[$key]:-}" ] && continue
    seen[$key]=1
    found="$(find_dll "$dll" "${dlls64[@]}")"
    [ -n "$found" ] || continue
    cp "$found" "$stage/"
    queue+=("$stage/$(basename "$found")")
  done < <(imports "$file")
done
# The 32-bit bridge must need nothing beside it: a 32-bit DLL there would
# clash with the 64-bit one of the same name.
for dll in $(imports "$stage/quindle-cli32.exe"); do
  if [ -n "$(find_dll "$dll" "${dlls32[@]}")" ]; then
    echo "quindle-cli32.exe needs $dll beside it: it is to be linked statically" >&2
    exit 1
  fi
done

# Debian's mingw DLLs carry their debugging symbols (libstdc++ is 20 MB with them).
find "$stage" -iname '*.dll' -exec x86_64-w64-mingw32-strip --strip-unneeded {} +
x86_64-w64-mingw32-strip --strip-unneeded "$stage/quindle.exe" "$stage/quindle-cli.exe"
i686-w64-mingw32-strip --strip-unneeded "$stage/quindle-cli32.exe"

zip="$root/dist/$name.zip"
rm -f "$zip"
(cd "$build/zip" && zip -qr -9 "$zip" "$name")
echo "dist/$name.zip: $(du -k "$zip" | cut -f1) KB," \
  "DLLs: $(cd "$stage" && ls -- *.dll | tr '\n' ' ')"
[ "$check" = 0 ] || QUINDLE_WINDOWS_ZIP="$zip" bash "$root/tests/e2e/windows_zip.sh" \
  "${QUINDLE_BUILD_DIR:-$root/build-test}/src/cli/quindle-cli"
