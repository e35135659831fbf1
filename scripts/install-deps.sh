#!/usr/bin/env bash
# Installs what building and testing need, from Debian's packages only. Idempotent:
# nothing is fetched when every package is already installed.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config make
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  nlohmann-json3-dev libstb-dev
  qt6-base-dev xvfb xauth
  clang clang-format libclang-rt-14-dev libfuzzer-14-dev
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64-x86-64
  wine wine64
)
# libdc1394 and libusb's header for the IIDC tests over virtual USB cameras.
packages+=(libdc1394-dev libusb-1.0-0-dev)
packages+=("$@")

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
    missing+=("$package")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
