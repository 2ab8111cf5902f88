#!/usr/bin/env bash
# Builds Tavix and runs every test once, in one build under AddressSanitizer +
# UndefinedBehaviorSanitizer with warnings as errors (a plain debug build would
# run the same tests again and find nothing more), then the kill test, a
# short run of every fuzz target, and the check that the core holds no Qt.
# tools/package.sh with tests/package-smoke.sh and tools/test-windows.sh are
# run on their own until their CI time is measured. Fails on the first failure.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh

echo "== layers: each core folder includes only the folders it declares, and no Qt"
tools/check-layers.sh

echo "== format: every source file as .clang-format wants it"
git ls-files '*.cpp' '*.h' | xargs clang-format-14 --dry-run -Werror

jobs=$(nproc)
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}

echo "== build and test: asan (AddressSanitizer + UndefinedBehaviorSanitizer)"
cmake --preset asan >/dev/null
cmake --build --preset asan -j "$jobs"
ctest --preset asan -j "$jobs"

echo "== kills during uploads: only whole records, no litter, config.ini unchanged"
# The uploads run under strace to slow the renames, and LeakSanitizer cannot
# run under a tracer: leaks are looked for by the tests above instead.
ASAN_OPTIONS=detect_leaks=0 tests/kill-upload.sh build/asan/apps/tavix-cli

echo "== fuzz targets (short runs from their seed corpora; each corpus must grow)"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$jobs"
for target in build/fuzz/fuzz/fuzz_*; do
    [ -x "$target" ] || continue
    name=$(basename "$target")
    corpus=$(mktemp -d)
    if [ -d "build/fuzz/fuzz/seeds/$name" ]; then
        cp build/fuzz/fuzz/seeds/"$name"/* "$corpus"/
    fi
    before=$(find "$corpus" -type f | wc -l)
    echo "-- $name"
    # The longest input each target may make: enough to reach its input's
    # real limits (the largest record file, a config.ini line past 2,047
    # characters, four receive buffers of noise before a reply, the largest
    # firmware file, a parameter file at its 64 KB limit).
    case "$name" in
        fuzz_record) max_len=540000 ;;
        fuzz_firmware) max_len=140000 ;;
        fuzz_ini) max_len=8192 ;;
        fuzz_reply) max_len=6000 ;;
        fuzz_escparam | fuzz_esc_snapshot | fuzz_summary) max_len=66000 ;;
        *) max_len=4096 ;;
    esac
    "$target" -max_total_time="${TAVIX_FUZZ_SECONDS:-10}" -max_len="$max_len" -rss_limit_mb=2048 \
        "$corpus" 2>&1 | tail -n 3
    after=$(find "$corpus" -type f | wc -l)
    rm -rf "$corpus"
    if [ "$after" -le "$before" ]; then
        echo "$name explored nothing new: its corpus stayed at $before inputs" >&2
        exit 1
    fi
done
echo "== all tests passed"
