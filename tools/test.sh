#!/usr/bin/env bash
# Builds Tavix and runs every test once, in one build under AddressSanitizer +
# UndefinedBehaviorSanitizer with warnings as errors (a plain debug build would
# run the same tests again and find nothing more), then the kill test, a
# short run of every fuzz target, the core and its tests for Windows under
# Wine, and the Debian package used from an empty folder. Fails on the first
# failure. Each stage's line starts with the seconds since the start, to read
# where a run's time goes.
#
# The four builds of a fresh machine are most of this command's time, so each
# compiles its files in unity batches: the sanitizer build is the `ci` preset
# (the `asan` preset in batches, linked with mold).
set -euo pipefail
cd "$(dirname "$0")/.."

started=$SECONDS
stage() { echo "== [$((SECONDS - started)) s] $*"; }

stage "packages"
tools/install-deps.sh

stage "layers: each core folder includes only the folders it declares, and no Qt"
tools/check-layers.sh

stage "format: every source file as .clang-format wants it"
git ls-files '*.cpp' '*.h' | xargs clang-format-14 --dry-run -Werror

jobs=$(nproc)
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}

stage "build: AddressSanitizer + UndefinedBehaviorSanitizer, warnings as errors"
cmake --preset ci >/dev/null
cmake --build --preset ci -j "$jobs"

stage "test: every test of that build"
ctest --preset ci -j "$jobs"

stage "kills during uploads: only whole records, no litter, config.ini unchanged"
# The uploads run under strace to slow the renames, and LeakSanitizer cannot
# run under a tracer: leaks are looked for by the tests above instead.
ASAN_OPTIONS=detect_leaks=0 tests/kill-upload.sh build/ci/apps/tavix-cli

stage "fuzz build"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$jobs"

stage "fuzz targets (short runs from their seed corpora; each corpus must grow)"
# One target per core at a time: a run lasts its set time whatever else runs,
# so two side by side on two cores take half the wall time of one after another.
fuzz_one() {
    local target=$1 name corpus before after max_len
    name=$(basename "$target")
    corpus=$(mktemp -d)
    if [ -d "build/fuzz/fuzz/seeds/$name" ]; then
        cp build/fuzz/fuzz/seeds/"$name"/* "$corpus"/
    fi
    before=$(find "$corpus" -type f | wc -l)
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
    local out status=0
    out=$("$target" -max_total_time="${TAVIX_FUZZ_SECONDS:-10}" -max_len="$max_len" -rss_limit_mb=2048 \
        "$corpus" 2>&1 | tail -n 3) || status=$?
    after=$(find "$corpus" -type f | wc -l)
    rm -rf "$corpus"
    # Printed whole after the run, so two runs' lines never interleave.
    printf -- '-- %s\n%s\n' "$name" "$out"
    if [ "$status" -ne 0 ]; then
        echo "$name failed (exit status $status)" >&2
        return 1
    fi
    if [ "$after" -le "$before" ]; then
        echo "$name explored nothing new: its corpus stayed at $before inputs" >&2
        return 1
    fi
}
running=()
fuzz_failed=0
for target in build/fuzz/fuzz/fuzz_*; do
    [ -x "$target" ] || continue
    fuzz_one "$target" &
    running+=($!)
    if [ ${#running[@]} -ge "$jobs" ]; then
        wait "${running[0]}" || fuzz_failed=1
        running=("${running[@]:1}")
        [ "$fuzz_failed" -eq 0 ] || break
    fi
done
for pid in "${running[@]}"; do
    wait "$pid" || fuzz_failed=1
done
[ "$fuzz_failed" -eq 0 ]

stage "Windows: the core and its tests built with MinGW-w64, run under Wine"
tools/test-windows.sh

stage "Debian package: built, checked by lintian, used from an empty folder"
deb=$(tools/package.sh | tail -n 1)
tests/package-smoke.sh "$deb"

stage "all tests passed"
