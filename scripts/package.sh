#!/usr/bin/env bash
# Makes the packages a user installs, into dist/:
#   quindle_<version>_amd64.deb   both programs, desktop entry, icon, AppStream
#                                 metadata and manual pages (CPack)
#   quindle-<version>-windows-x64.zip
#                                 the Windows programs, from the Windows build
#                                 with the window (scripts/package-windows.sh;
#                                 skipped, saying why, when it is not there)
# from the build in $QUINDLE_BUILD_DIR (default build-test/, built with the
# test script's flags so that the test run and the package share one build).
# With --check it then checks each package (tests/e2e/debian_package.sh,
# tests/e2e/windows_zip.sh); with --deb it makes the Debian package only.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
check=0 windows=1
for arg in "$@"; do
  case "$arg" in
    --check) check=1 ;;
    --deb) windows=0 ;;
    *) echo "usage: scripts/package.sh [--check] [--deb]" >&2; exit 2 ;;
  esac
done
export QUINDLE_BUILD_DIR="${QUINDLE_BUILD_DIR:-$root/build-test}"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" -DQUINDLE_WERROR=ON -DQUINDLE_ASSERTIONS=ON
mkdir -p "$root/dist"

version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$QUINDLE_BUILD_DIR/CMakeCache.txt")"
deb="quindle_${version}_amd64.deb"
(cd "$QUINDLE_BUILD_DIR" && cpack -G DEB >/dev/null)
cp "$QUINDLE_BUILD_DIR/package/$deb" "$root/dist/$deb"
echo "dist/$deb: $(du -k "$root/dist/$deb" | cut -f1) KB"
if [ "$check" = 1 ]; then
  bash "$root/tests/e2e/debian_package.sh" "$root/dist/$deb"
fi
[ "$windows" = 1 ] || exit 0
if [ "$check" = 1 ]; then
  "$root/scripts/package-windows.sh" --check
else
  "$root/scripts/package-windows.sh"
fi
