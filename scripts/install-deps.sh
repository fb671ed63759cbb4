#!/usr/bin/env bash
# Installs every Debian package the project needs to build, test and run.
# Runs as root (or through sudo); skips apt when everything is present.
set -euo pipefail
source "$(dirname "$0")/lib/packages.sh"

PACKAGES=(
  build-essential cmake ninja-build ccache pkg-config git
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-translations-l10n
  qt6-base-dev qt6-base-dev-tools libgl-dev
  xvfb xauth x11-apps imagemagick openbox fonts-noto-cjk poppler-utils
  python3 python3-aiosmtpd libcurl4-openssl-dev openssl
  clang libclang-rt-14-dev
  dpkg-dev fakeroot lintian desktop-file-utils appstream librsvg2-bin help2man
)

find_missing_packages "${PACKAGES[@]}"
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}" >&2
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >&2
