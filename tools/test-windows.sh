#!/usr/bin/env bash
# Builds the Qt-free core of Tavix and its tests for 64-bit Windows with
# MinGW-w64 and runs every test program under Wine. Tests of POSIX-only
# features (FIFOs, symbolic links, file modes, resource limits) live in files
# named *PosixTest.cpp, which a Windows build leaves out. Prints GoogleTest's
# own summary lines and fails when a test fails. The window and tavix-cli
# need Qt for Windows, which Debian does not have: .github/workflows/windows.yml
# builds those on a Windows machine.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(g++-mingw-w64-x86-64-posix googletest wine wine64)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    SUDO=""
    if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
    echo "test-windows: installing ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    $SUDO apt-get update -qq
    $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi

build=build/windows
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
    -DCMAKE_BUILD_TYPE= -DTAVIX_GUI=OFF -DTAVIX_BENCH=OFF -DTAVIX_WERROR=ON \
    -DTAVIX_GTEST_SOURCE=/usr/src/googletest -DCMAKE_UNITY_BUILD=ON >/dev/null
targets=$(cd tests/core && ls -d */ | sed 's|/$||; s|^|test_core_|')

# A Wine prefix of this build, made once; Wine's own chatter is left out.
# Making one takes half a minute of mostly waiting: it is made while the
# tests compile.
export WINEPREFIX="$PWD/$build/wine"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
booting=""
if [ ! -d "$WINEPREFIX" ]; then
    (wineboot --init >/dev/null 2>&1 || true) &
    booting=$!
fi
# shellcheck disable=SC2086
cmake --build "$build" -j "$(nproc)" --target $targets
if [ -n "$booting" ]; then
    wait "$booting"
fi

status=0
for t in $targets; do
    exe="$build/tests/$t.exe"
    echo "-- $t"
    out=$(cd "$build/tests" && wine "./$t.exe" --gtest_brief=1 2>&1) || status=1
    printf '%s\n' "$out" | grep -E '^\[ *(PASSED|FAILED|SKIPPED) *\]|^\[==========\]|Failure|error:' || true
    [ -f "$exe" ] || status=1
done
wineserver -w 2>/dev/null || true
if [ "$status" -ne 0 ]; then
    echo "test-windows: some tests failed under Wine" >&2
    exit 1
fi
echo "test-windows: every core test passed under Wine"
