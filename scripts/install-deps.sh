#!/usr/bin/env bash
# Installs every Debian 12 package the build, the application and the tests need.
# Safe to run again: apt-get skips what is already installed.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config ccache
  qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev libgl-dev
  libzip-dev zip unzip libfreetype-dev
  libcups2-dev cups cups-client cups-bsd printer-driver-cups-pdf
  fonts-ipafont-gothic fontconfig
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  xvfb xauth poppler-utils zbar-tools imagemagick
  clang libclang-rt-14-dev
  qt6-qpa-plugins dpkg-dev fakeroot passwd util-linux
  fcitx5 fcitx5-mozc fcitx5-frontend-qt6 dbus xdotool
  openbox x11-utils qt6-translations-l10n libqt6svg6
)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ "${#missing[@]}" -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update
  $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
