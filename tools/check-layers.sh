#!/usr/bin/env bash
# Checks that every file of a core folder includes only headers of its own
# folder and of the folders its library declares in src/core/CMakeLists.txt
# (tavix_core_lib(<folder> core_<dep> ...)), that no constant name is defined
# twice, and that no core file includes Qt. The same for the ui folders and
# the ui folders each declares in src/ui/CMakeLists.txt
# (tavix_ui_folder(<folder> ui_<dep> ...)), which must form no circle, and
# a folder in a ui library of its own declares only folders of that library;
# nor may files include each other in a circle.
# Prints every offending include and fails when there is one.
set -euo pipefail
cd "$(dirname "$0")/.."

declare -A allowed
while read -r folder deps; do
    allowed[$folder]=" $folder ${deps//core_/} "
done < <(sed -n 's/^tavix_core_lib(\([a-z]*\)\(.*\))$/\1\2/p' src/core/CMakeLists.txt)

status=0
for dir in src/core/*/; do
    folder=$(basename "$dir")
    if [ -z "${allowed[$folder]+x}" ]; then
        echo "check-layers: src/core/$folder is not declared in src/core/CMakeLists.txt" >&2
        status=1
        continue
    fi
    while IFS=: read -r file line include; do
        used=${include%%/*}
        if [[ "${allowed[$folder]}" != *" $used "* ]]; then
            echo "$file:$line: $folder includes $include, but core_$folder does not declare core_$used" >&2
            status=1
        fi
    done < <(grep -rnoE '^#\s*include\s*"[a-z]+/[^"]+"' "$dir" | sed -E 's/^([^:]*):([0-9]+):#\s*include\s*"([^"]*)"/\1:\2:\3/')
done

declare -A uiAllowed
while read -r folder deps; do
    uiAllowed[$folder]=" $folder ${deps//ui_/} "
done < <(sed -n 's/^tavix_ui_folder(\([a-z]*\)\(.*\))$/\1\2/p' src/ui/CMakeLists.txt)

for dir in src/ui/*/; do
    folder=$(basename "$dir")
    if [ -z "${uiAllowed[$folder]+x}" ]; then
        echo "check-layers: src/ui/$folder is not declared in src/ui/CMakeLists.txt" >&2
        status=1
        continue
    fi
    while IFS=: read -r file line include; do
        used=${include#ui/}
        used=${used%%/*}
        if [[ "${uiAllowed[$folder]}" != *" $used "* ]]; then
            echo "$file:$line: ui/$folder includes $include, but ui_$folder does not declare ui_$used" >&2
            status=1
        fi
    done < <(grep -rnoE '^#\s*include\s*"ui/[a-z]+/[^"]+"' "$dir" | sed -E 's/^([^:]*):([0-9]+):#\s*include\s*"([^"]*)"/\1:\2:\3/')
done

# A folder built into a library of its own (tavix_ui_library(<name> <folder>
# ...)) declares only folders of that library: what links the library alone
# (tavix-cli links the record page's) would miss the rest.
while read -r library folders; do
    for folder in $folders; do
        for dep in ${uiAllowed[$folder]-}; do
            if [[ " $folders " != *" $dep "* ]]; then
                echo "check-layers: ui/$folder is in the library $library but declares ui_$dep, which is not" >&2
                status=1
            fi
        done
    done
done < <(sed -n 's/^tavix_ui_library(\([a-z_]*\)\(.*\))$/\1\2/p' src/ui/CMakeLists.txt)

# The declared ui folders form no circle: a folder never reaches itself.
uiEdges=$(for folder in "${!uiAllowed[@]}"; do
    for dep in ${uiAllowed[$folder]}; do
        echo "$dep $folder"
    done
done)
if ! tsort >/dev/null 2>&1 <<<"$uiEdges"; then
    echo "check-layers: the ui folders include each other in a circle:" >&2
    tsort <<<"$uiEdges" 2>&1 >/dev/null | sed 's/^tsort: /  /' >&2
    status=1
fi

# No two files include each other, directly or through others: a .cpp and
# its .h count as one, named by their path without the extension. Includes
# are "folder/File.h" (core), "ui/..." and "platform/...", or a bare name
# beside the including file.
fileEdges=$(grep -rnoE '^#\s*include\s*"[^"]+"' src apps |
    sed -E 's/^([^:]*):[0-9]+:#\s*include\s*"([^"]*)"/\1 \2/' |
    while read -r file include; do
        from=${file%.*}
        case $include in
        ui/* | platform/*) to=src/${include%.*} ;;
        */*) to=src/core/${include%.*} ;;
        *) to=$(dirname "$file")/${include%.*} ;;
        esac
        if [ "$from" != "$to" ]; then
            echo "$to $from"
        fi
    done)
if ! tsort >/dev/null 2>&1 <<<"$fileEdges"; then
    echo "check-layers: these files include each other in a circle:" >&2
    tsort <<<"$fileEdges" 2>&1 >/dev/null | sed 's/^tsort: /  /' >&2
    status=1
fi

# A text or number defined twice under one name is one definition too many:
# the linker keeps either, and a page may show another page's words.
dups=$(grep -rhoE 'inline constexpr [A-Za-z0-9_:<>, *]+ k[A-Za-z0-9_]+ =' src | awk '{print $(NF-1)}' | sort | uniq -d)
if [ -n "$dups" ]; then
    echo "check-layers: constants defined more than once: $dups" >&2
    status=1
fi

if grep -rnE '#\s*include\s*[<"]Q' src/core; then
    echo "check-layers: a file under src/core includes a Qt header" >&2
    status=1
fi
exit $status
