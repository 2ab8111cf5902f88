#!/usr/bin/env bash
# Installs the Debian packages Tavix needs to build, test and run, skipping
# the install when everything is already present. Needs root (or sudo).
set -euo pipefail

packages=(
    build-essential cmake ninja-build ccache pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-serialport-dev qt6-qpa-plugins libgl-dev
    libgtest-dev libgmock-dev libbenchmark-dev libgif-dev
    clang clang-format-14 libclang-rt-14-dev
    xvfb xauth imagemagick fonts-dejavu-core fonts-wqy-microhei fonts-wqy-zenhei
    qt6-l10n-tools qt6-translations-l10n
    strace locales mold
    # The Windows stage (tools/test-windows.sh) and the package (tools/package.sh).
    g++-mingw-w64-x86-64-posix googletest wine wine64 help2man lintian dpkg-dev file
)
if [ "${1:-}" = "--runtime-only" ]; then
    packages=(build-essential cmake ninja-build qt6-base-dev qt6-base-dev-tools
              qt6-serialport-dev qt6-qpa-plugins libgl-dev libgtest-dev libgmock-dev
              libbenchmark-dev libgif-dev fonts-dejavu-core fonts-wqy-microhei
              qt6-l10n-tools qt6-translations-l10n)
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
if [ ${#missing[@]} -eq 0 ]; then
    echo "install-deps: all packages present"
else
    echo "install-deps: installing ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    $SUDO apt-get update -qq
    $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi

# The tests read numbers under a locale with a decimal comma, as many users'
# settings have it: make one when the machine has none.
if [ "${1:-}" != "--runtime-only" ] && command -v locale-gen >/dev/null &&
    ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
    echo "install-deps: making the de_DE.UTF-8 locale"
    $SUDO sed -i 's/^# *\(de_DE\.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^de_DE\.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
    $SUDO locale-gen >/dev/null
fi
