#!/usr/bin/env bash
# Installs what building, running and testing the program needs on Debian 12.
# Safe to run again: apt-get skips what is already there.
set -euo pipefail

packages=(
  cmake g++ make ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libqt6svg6 qt6-qpa-plugins qt6-translations-l10n
  libsdl2-dev libsqlite3-dev sqlite3
  libgtest-dev googletest
  clang clang-format libclang-rt-14-dev git
  xvfb xauth x11-utils xdotool imagemagick libx11-dev
  fonts-ipafont-gothic fonts-ipafont-mincho
  xdg-utils
  g++-mingw-w64-x86-64-posix wine wine64 libwine locales unzip
  dpkg-dev xz-utils tcl
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ "${#missing[@]}" -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
