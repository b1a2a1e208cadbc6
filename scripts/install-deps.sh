#!/usr/bin/env bash
# Installs the Debian packages the game, its asset forge and its tests need.
# Does nothing when every package is already present.
set -euo pipefail

PACKAGES=(
  # toolchain
  g++ cmake ninja-build pkg-config make clang clang-format libclang-rt-14-dev
  # runtime libraries
  libsdl2-dev libsdl2-mixer-dev libsdl2-ttf-dev
  libvorbis-dev libogg-dev libpng-dev zlib1g-dev libdeflate-dev
  libpcre2-dev libexpat1-dev libimgui-dev
  libavformat-dev libavcodec-dev libswscale-dev libswresample-dev libavutil-dev
  # asset forge
  libcairo2-dev libfreetype-dev fonts-dejavu-core fonts-dejavu-extra fonts-liberation2
  # tests, benchmarks, real-window checks
  libgtest-dev libgmock-dev libbenchmark-dev valgrind
  xvfb xauth xfonts-base xdotool imagemagick x11-utils libx11-dev libxtst-dev
  # the Debian package (dpkg-shlibdeps) and the checks of what it installs
  dpkg-dev desktop-file-utils appstream man-db
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
