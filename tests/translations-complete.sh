#!/usr/bin/env bash
# Fails, listing them, when a text the window shows has no Chinese: gathers
# the texts of the current sources into a copy of the committed translation
# and reports every one left unfinished.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cp "$root/res/translations/tavix_zh_CN.ts" "$scratch/check.ts"
"$root/tools/update-translations.sh" "$scratch/check.ts"
missing=$(perl -0ne 'while (/<source>((?:(?!<\/source>).)*)<\/source>\s*<translation type="unfinished"/sg) { print "  $1\n" }' \
    "$scratch/check.ts")
if [ -n "$missing" ]; then
    echo "Texts of the window without a Chinese translation (tools/update-translations.sh, then translate them):"
    echo "$missing"
    exit 1
fi
if ! cmp -s "$root/res/translations/tavix_zh_CN.ts" "$scratch/check.ts"; then
    echo "res/translations/tavix_zh_CN.ts is not up to date with the sources: run tools/update-translations.sh"
    diff "$root/res/translations/tavix_zh_CN.ts" "$scratch/check.ts" | head -40
    exit 1
fi
echo "Every window text has its Chinese translation."
