#!/usr/bin/env bash
# Installs what Orlin needs to build, test and run on Debian 12 (run as root).
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config clang-format git ccache
  libgtest-dev libgmock-dev
  qt6-base-dev qt6-base-dev-tools libgl-dev qt6-translations-l10n qt6-l10n-tools
  g++-mingw-w64-x86-64-posix
  xvfb xauth
  gammu
  libical-dev python3-icalendar python3-vobject
  radicale vdirsyncer khal khard curl
  hunspell-ru
  nlohmann-json3-dev libphonenumber-dev
  libfluidsynth-dev libasound2-dev timgm6mb-soundfont qt6-image-formats-plugins
  clang libclang-rt-14-dev
  wine wine64
  libsystemd-dev
  dbus-daemon python3-dbus python3-gi
  appstream lintian librsvg2-bin bash-completion file
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
