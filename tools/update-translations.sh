#!/usr/bin/env bash
# Gathers the window's texts into the translation source with Qt's lupdate:
# tr() in the windows, and the core's message texts marked with TAVIX_TR.
# New texts come in unfinished for a translator; texts no longer in the
# sources are dropped. Run it after changing a text the window shows, then
# translate what it reports as unfinished (Qt Linguist, or any text editor).
#   tools/update-translations.sh [TS-FILE]   (default: res/translations/tavix_zh_CN.ts)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
ts=${1:-$root/res/translations/tavix_zh_CN.ts}
lupdate=${LUPDATE:-$(command -v lupdate || echo /usr/lib/qt6/bin/lupdate)}
# The CLI is left out: it speaks English only.
"$lupdate" -silent -tr-function-alias QT_TR_NOOP+=TAVIX_TR -locations none -no-obsolete \
    -source-language en -target-language zh_CN "$root/src" "$root/apps/tavix" -ts "$ts" 2>&1 |
    grep -v -e "lacks Q_OBJECT" -e "Qualifying with unknown namespace" >&2 || true
