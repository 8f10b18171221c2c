#!/usr/bin/env bash
# Installs the Debian packages Quorin needs to build, test and run, if any are missing.
# Safe to run again: when everything is present it does nothing.
set -euo pipefail

packages=(
    build-essential cmake pkg-config clang-format ccache
    libsdl2-dev libsdl2-image-dev libsdl2-mixer-dev libsdl2-ttf-dev libfreetype-dev
    libchipmunk-dev libpugixml-dev zlib1g-dev nlohmann-json3-dev libmp3lame-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    fonts-ipaexfont-mincho fonts-oradano-mincho-gsrr
    libgl1 libgl1-mesa-dri libegl1
    clang-14 libclang-rt-14-dev
)

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)
    [ "$status" = "installed" ] || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
    run=()
elif command -v sudo >/dev/null 2>&1; then
    run=(sudo)
else
    echo "These Debian packages are missing and installing them needs root: ${missing[*]}" >&2
    echo "Run this script as root, or install them with: apt-get install ${missing[*]}" >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${run[@]}" apt-get update -qq
"${run[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
