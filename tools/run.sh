#!/usr/bin/env bash
# Builds a release of Tavix and opens it on the built-in simulated device.
# Works from a working directory (default ./run, or $TAVIX_RUN_DIR) that holds
# config.ini and res/home.bmp; a config.ini already there is never overwritten.
# Without a display it does the same job headless with tavix-cli.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
cd "$top"

tools/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)" --target tavix tavix-cli tavix-devsim

rundir="${TAVIX_RUN_DIR:-$top/run}"
mkdir -p "$rundir/res"
if [ ! -f "$rundir/config.ini" ]; then
    cp res/config.ini "$rundir/config.ini"
    echo "run: copied the default config.ini to $rundir"
else
    echo "run: using the existing $rundir/config.ini"
fi
for picture in home.bmp home_zh_CN.bmp; do
    [ -f "$rundir/res/$picture" ] || cp "res/$picture" "$rundir/res/$picture"
done

bin="$top/build/release/apps"
cd "$rundir"
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    echo "run: starting Tavix on the simulated device (tavix --port demo) in $rundir"
    exec "$bin/tavix" --port demo "$@"
fi

echo "run: no display found, so doing the same job headless with tavix-cli in $rundir:"
echo "run: identifying the simulated device (tavix-cli identify --port demo)"
"$bin/tavix-cli" identify --port demo
echo "run: uploading its flights into record files (tavix-cli upload --port demo)"
"$bin/tavix-cli" upload --port demo --out "$rundir"
last=$(ls -t "$rundir"/*.dat 2>/dev/null | head -n 1 || true)
if [ -n "$last" ]; then
    echo "run: the last record written ($last):"
    "$bin/tavix-cli" info "$last"
fi
echo "run: done. With a display (or xvfb-run) this command opens the Tavix window instead."
