#!/usr/bin/env bash
# Uploads from the built-in demo device as a slow disk and a crash would have
# them: the step that puts each file in place is slowed (as on a slow disk or
# a network share) when strace is there to slow it.
#  1. Two uploads into one folder at once: every file each of them reports is
#     on disk, whole, under its own name.
#  2. Uploads killed at random moments, many times (two at once into the same
#     folder): after every kill the folder holds only whole record files (each
#     one reads back), no temporary file of any kind, and config.ini is unchanged.
# Bounded to about a minute.
# Usage: tests/kill-upload.sh [PATH/TO/tavix-cli] [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
cli=$(realpath "${1:-build/debug/apps/tavix-cli}")
budget=${2:-45}
config_source=$(realpath res/config.ini)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
cp "$config_source" config.ini
cp config.ini config.orig
mkdir out race

placing="link,linkat,rename,renameat,renameat2"
if command -v strace >/dev/null; then
    slow=(strace -f -qq -o /dev/null -e trace="$placing" -e inject="$placing":delay_enter=300000)
else
    echo "kill-upload: strace is missing, so files are put in place at full speed" >&2
    slow=()
fi

# The upload as this script runs it, in place of the shell that calls it (the
# wrapper, when there is one, is the program's parent).
upload() {
    exec "${slow[@]}" "$cli" upload --port demo --out "$1"
}

# Kills an upload started by `upload &`: the program first, then its wrapper.
stop() {
    local pid=$1 inner
    inner=$(ps -o pid= --ppid "$pid" 2>/dev/null || true)
    # shellcheck disable=SC2086
    kill -9 $inner "$pid" 2>/dev/null || true
}

whole() {
    "$cli" info --config config.ini "$1" >/dev/null 2>&1
}

# 1. Two at once.
start=$(date +%s%N)
(upload race >race1.txt 2>/dev/null) &
first=$!
(upload race >race2.txt 2>/dev/null)
wait "$first"
full_ms=$(( ($(date +%s%N) - start) / 1000000 ))
reported=$(cat race1.txt race2.txt | sort)
distinct=$(sort -u <<<"$reported" | grep -c . || true)
total=$(grep -c . <<<"$reported" || true)
on_disk=$(find race -name '*.dat' | wc -l)
if [ "$total" -eq 0 ] || [ "$distinct" -ne "$total" ] || [ "$on_disk" -ne "$total" ]; then
    echo "kill-upload: two uploads at once reported $total files ($distinct names)," \
        "$on_disk are on disk" >&2
    exit 1
fi
while read -r f; do
    whole "$f" || { echo "kill-upload: $f is not a whole record" >&2; exit 1; }
done <<<"$reported"

check() {
    # Only record files: a hidden temporary or a *.tmp* left behind is litter.
    local litter f
    litter=$(find out -mindepth 1 ! -name '*.dat' -print)
    if [ -n "$litter" ]; then
        echo "kill-upload: left behind after a kill: $litter" >&2
        exit 1
    fi
    for f in out/*.dat; do
        [ -e "$f" ] || continue
        whole "$f" || { echo "kill-upload: $f is not a whole record ($(stat -c %s "$f") bytes)" >&2; exit 1; }
    done
    if ! cmp -s config.ini config.orig; then
        echo "kill-upload: config.ini changed" >&2
        exit 1
    fi
}

# A delay in milliseconds: anywhere in the run, and most of the time in its
# last part, where the files are written.
kill_moment() {
    if [ $((RANDOM % 4)) -eq 0 ]; then
        echo $(( RANDOM % (full_ms + 1) ))
    else
        echo $(( full_ms * 3 / 5 + RANDOM % (full_ms / 2 + 1) ))
    fi
}

# Kills the upload `pid` as soon as the folder gains an entry (a file being
# put in place, or litter on its way).
kill_on_change() {
    local pid=$1 before=$2 entries
    shopt -s dotglob nullglob
    while kill -0 "$pid" 2>/dev/null; do
        entries=(out/*)
        if [ "${#entries[@]}" -ne "$before" ]; then
            break
        fi
    done
    stop "$pid"
}

# 2. Kills: two uploads into the same folder at once, each killed at its own
# moment, a random one or the moment the folder changes.
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
            upload out >/dev/null 2>&1 &
            child=$!
            if [ "$mode" -eq 0 ]; then
                sleep "$(printf '%d.%03d' $((delay_ms / 1000)) $((delay_ms % 1000)))"
                stop "$child"
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
echo "kill-upload: two uploads at once kept all $total files;" \
    "$kills kills left $(find out -name '*.dat' | wc -l) whole record files and nothing else"
