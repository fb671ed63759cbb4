#!/usr/bin/env bash
# Installs what the 32-bit Windows cross build needs: the mingw-w64 i686
# compiler (the posix thread model, for std::thread) and 32-bit Wine to run
# what it builds (i386 packages, so the i386 architecture is added first);
# for Qt and libcurl for Windows (scripts/build-windows-qt.sh), Debian's source
# tools and the host's Qt tools; for the Windows zip and its check, zip,
# Qt's Japanese translations, a virtual display and Japanese fonts.
# Runs as root (or through sudo); skips apt when everything is present.
set -euo pipefail
source "$(dirname "$0")/lib/packages.sh"

PACKAGES=(g++-mingw-w64-i686-posix mingw-w64-i686-dev wine wine32:i386 ccache cmake ninja-build
  g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev wine64
  googletest
  dpkg-dev qt6-base-dev qt6-base-dev-tools
  zip unzip qt6-translations-l10n xvfb xauth x11-utils imagemagick openbox fonts-noto-cjk)

find_missing_packages "${PACKAGES[@]}"
[ ${#missing[@]} -eq 0 ] && exit 0

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
fi
echo "Installing: ${missing[*]}" >&2
# Another apt run may hold the lock for a while: wait for it.
for attempt in $(seq 1 60); do
  if $SUDO apt-get update -qq && DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq \
      --no-install-recommends "${missing[@]}" >&2; then
    exit 0
  fi
  echo "apt-get failed (attempt $attempt); retrying in 10 s" >&2
  sleep 10
done
exit 1
