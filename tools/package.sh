#!/usr/bin/env bash
# Builds a release of Tavix and its Debian package: only what the package
# holds is built (no tests, no benchmarks), the programs are stripped, and
# lintian checks the result. Prints the package's path on its last line.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(help2man lintian dpkg-dev file)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    SUDO=""
    if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
    echo "package: installing ${missing[*]}" >&2
    export DEBIAN_FRONTEND=noninteractive
    $SUDO apt-get update -qq
    $SUDO apt-get install -y --no-install-recommends "${missing[@]}" >&2
fi

build=build/package
# Optimised as Debian builds its packages (-O2), in unity batches linked with
# mold to be quick on a fresh machine.
cmake --preset release -B "$build" -DTAVIX_TESTS=OFF -DTAVIX_BENCH=OFF -DTAVIX_PACKAGE=ON \
    -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" -DCMAKE_UNITY_BUILD=ON -DTAVIX_LINKER=mold >&2
cmake --build "$build" -j "$(nproc)" >&2
rm -rf "$build/packages"
(cd "$build" && cpack -G DEB >&2)
deb=$(ls "$PWD/$build"/packages/tavix_*.deb)

# Errors fail the package; warnings and notes are shown for the reader.
echo "package: lintian $(basename "$deb")" >&2
lintian --tag-display-limit 0 "$deb" >&2 || true
if lintian --fail-on error "$deb" >/dev/null 2>&1; then
    :
else
    echo "package: lintian found errors in $deb" >&2
    exit 1
fi
echo "$deb"
