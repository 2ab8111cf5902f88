#!/usr/bin/env bash
# Installs the Debian packages Tavix needs to build, test and run, skipping
# the install when everything is already present. Needs root (or sudo).
set -euo pipefail

packages=(
    build-essential cmake ninja-build ccache pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-serialport-dev qt6-qpa-plugins libgl-dev
    libgtest-dev libgmock-dev libbenchmark-dev libgif-dev
    clang clang-format-14 libclang-rt-14-dev
    xvfb xauth imagemagick fonts-dejavu-core
    strace
)
if [ "${1:-}" = "--runtime-only" ]; then
    packages=(build-essential cmake ninja-build qt6-base-dev qt6-base-dev-tools
              qt6-serialport-dev qt6-qpa-plugins libgl-dev libgtest-dev libgmock-dev
              libbenchmark-dev libgif-dev fonts-dejavu-core)
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
if [ ${#missing[@]} -eq 0 ]; then
    echo "install-deps: all packages present"
    exit 0
fi
echo "install-deps: installing ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y --no-install-recommends "${missing[@]}"
