#!/usr/bin/env bash
# Installs every Debian package the build, the programs and the tests need.
# Safe to run again: it does nothing when all of them are present.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config ccache
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev
  qt6-webengine-dev qt6-webengine-dev-tools
  qt6-multimedia-dev
  libqt6printsupport6
  libgl-dev libjpeg-dev libgif-dev libpng-dev libjpeg-turbo-progs
  # the metafile players: WMF by libwmf, EMF by libemf2svg (checked by
  # libUEMF), drawn by librsvg
  libwmf-dev libemf2svg-dev libuemf-dev librsvg2-dev
  clang libclang-rt-14-dev
  qt6-translations-l10n
  fonts-liberation fonts-dejavu-core fonts-wine
  xvfb xauth xdotool xclip imagemagick python3 x11-utils
  # the tray's end-to-end group (tests/e2e/tray_test.py): a window
  # manager and a system tray
  openbox trayer
  poppler-utils
  # reading and toggling the lock keys on X11 (optional at build time)
  libx11-dev libxtst-dev
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
