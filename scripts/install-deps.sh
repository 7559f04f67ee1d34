#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the demo need.
# Safe to run again: apt-get skips what is already there.
set -euo pipefail
packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-multimedia-dev libqt6multimedia6 qml6-module-qtmultimedia
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good
  libarchive-dev libisal-dev libjpeg-dev libicu-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  fonts-noto-cjk fonts-ipafont-gothic fonts-ipafont-mincho xvfb xauth x11-utils xdotool imagemagick gcab libarchive-tools zip unzip
  locales qt6-translations-l10n openbox
  # The installed programs and their package (scripts/check-install.sh), and
  # the X connection of the start benchmark.
  dpkg-dev lintian desktop-file-utils libxcb1-dev
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then exit 0; fi
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO=sudo
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
