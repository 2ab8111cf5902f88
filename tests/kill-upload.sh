#!/usr/bin/env bash
# Kills `tavix-cli upload --port demo` at random moments, many times, and
# checks after every kill that the output folder holds only whole record files
# (each one reads back), no temporary file of any kind, and that config.ini is
# unchanged. Bounded to about a minute.
# Usage: tests/kill-upload.sh [PATH/TO/tavix-cli] [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
cli=$(realpath "${1:-build/debug/apps/tavix-cli}")
budget=${2:-50}
config_source=$(realpath res/config.ini)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
cp "$config_source" config.ini
cp config.ini config.orig
mkdir out

# One whole upload first: how long it takes sets the range of the kill moments.
start=$(date +%s%N)
"$cli" upload --port demo --out out >/dev/null 2>&1
full_ms=$(( ($(date +%s%N) - start) / 1000000 ))
whole=$(find out -type f | wc -l)
[ "$whole" -gt 0 ] || { echo "kill-upload: a whole upload wrote no file" >&2; exit 1; }

check() {
    # Only record files: a hidden temporary or a *.tmp* left behind is litter.
    local litter
    litter=$(find out -mindepth 1 ! -name '*.dat' -print)
    if [ -n "$litter" ]; then
        echo "kill-upload: left behind after a kill: $litter" >&2
        exit 1
    fi
    local f
    for f in out/*.dat; do
        [ -e "$f" ] || continue
        if ! "$cli" info --config config.ini "$f" >/dev/null 2>&1; then
            echo "kill-upload: $f is not a whole record ($(stat -c %s "$f") bytes)" >&2
            exit 1
        fi
    done
    if ! cmp -s config.ini config.orig; then
        echo "kill-upload: config.ini changed" >&2
        exit 1
    fi
}

# A delay in milliseconds: anywhere in the run, and most of the time around
# its end, where the files are written.
kill_moment() {
    if [ $((RANDOM % 4)) -eq 0 ]; then
        echo $(( RANDOM % (full_ms + 1) ))
    else
        echo $(( full_ms * 9 / 10 + RANDOM % (full_ms / 5 + 1) ))
    fi
}

# Kills `pid` as soon as the folder gains an entry (a file being written).
kill_on_change() {
    local pid=$1 before=$2 entries
    shopt -s dotglob nullglob
    while kill -0 "$pid" 2>/dev/null; do
        entries=(out/*)
        if [ "${#entries[@]}" -ne "$before" ]; then
            break
        fi
    done
    kill -9 "$pid" 2>/dev/null || true
}

# Two uploads into the same folder at once, each killed at its own moment:
# a random one, or the moment the folder changes.
kills=0
deadline=$(( $(date +%s) + budget ))
while [ "$(date +%s)" -lt "$deadline" ]; do
    pids=()
    for _ in 1 2; do
        delay_ms=$(kill_moment)
        mode=$((RANDOM % 2))
        (
            shopt -s dotglob nullglob
            present=(out/*)
            "$cli" upload --port demo --out out >/dev/null 2>&1 &
            child=$!
            if [ "$mode" -eq 0 ]; then
                sleep "$(printf '%d.%03d' $((delay_ms / 1000)) $((delay_ms % 1000)))"
                kill -9 "$child" 2>/dev/null || true
            else
                kill_on_change "$child" "${#present[@]}"
            fi
            wait "$child" 2>/dev/null || true
        ) &
        pids+=($!)
    done
    wait "${pids[@]}"
    kills=$((kills + 2))
    check
done
echo "kill-upload: $kills kills, $(find out -name '*.dat' | wc -l) whole record files, nothing else left"
