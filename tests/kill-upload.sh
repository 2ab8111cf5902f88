#!/usr/bin/env bash
# Uploads from the built-in demo device as a slow disk and a crash would have
# them: the step that puts each file in place is slowed (as on a slow disk or
# a network share) when strace is there to slow it.
#  1. Two uploads into one folder at once: every file each of them reports is
#     on disk, whole, under its own name.
#  2. Uploads killed at random moments, many times (two at once into the same
#     folder): after every kill the folder holds only whole record files (each
#     one reads back), no temporary file of any kind, and config.ini is unchanged.
#  3. csv and image exports over an existing file killed at random moments:
#     the file is always the old one or the new one, whole, and nothing lies
#     beside it but the hidden temporary of the one scheme every write uses,
#     which the next write removes once it is a minute old.
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

# 3. Exports replacing a file, killed: csv and image of the first record.
record=$(head -n 1 race1.txt)
mkdir exports
export_run() {
    # shellcheck disable=SC2086
    exec "${slow[@]}" "$cli" $1 --config config.ini "$record" -o "exports/$2"
}
for kind in csv image; do
    name=flight.$([ "$kind" = csv ] && echo csv || echo png)
    (export_run "$kind" "$name" >/dev/null 2>&1) || {
        echo "kill-upload: $kind $name failed before any kill" >&2
        exit 1
    }
    cp "exports/$name" "reference-$name"
done
export_kills=0
export_deadline=$(( $(date +%s) + budget / 3 ))
while [ "$(date +%s)" -lt "$export_deadline" ]; do
    for kind in csv image; do
        name=flight.$([ "$kind" = csv ] && echo csv || echo png)
        (export_run "$kind" "$name" >/dev/null 2>&1) &
        child=$!
        sleep "0.$(printf '%03d' $((RANDOM % 900)))"
        stop "$child"
        wait "$child" 2>/dev/null || true
        export_kills=$((export_kills + 1))
        if ! cmp -s "exports/$name" "reference-$name"; then
            echo "kill-upload: after a kill of $kind, exports/$name is not the whole file" >&2
            exit 1
        fi
    done
    litter=$(find exports -mindepth 1 ! -name 'flight.csv' ! -name 'flight.png' \
        ! -name '.tavix-tmp-*' -print)
    if [ -n "$litter" ]; then
        echo "kill-upload: left behind after an export was killed: $litter" >&2
        exit 1
    fi
done
# A hidden temporary a kill left is removed by the next write once a minute old.
find exports -name '.tavix-tmp-*' -exec touch -d '2 minutes ago' {} +
"$cli" csv --config config.ini "$record" -o exports/flight.csv >/dev/null
left=$(find exports -name '.tavix-tmp-*' | wc -l)
if [ "$left" -ne 0 ]; then
    echo "kill-upload: $left old hidden temporaries outlived the next write" >&2
    exit 1
fi
echo "kill-upload: $export_kills kills of csv and image left each file whole and nothing beside it"
