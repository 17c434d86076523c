#!/usr/bin/env bash
# Brings every translations/pathwright_*.ts up to date with the texts in the sources: new texts come
# in unfinished, texts gone from the sources are dropped. Translate the new ones with Qt Linguist
# (/usr/lib/qt6/bin/linguist from linguist-qt6) or a text editor, then rebuild.
# Usage: update-translations.sh [lupdate]
set -euo pipefail
cd "$(dirname "$0")/.."
lupdate="${1:-$(command -v lupdate || echo /usr/lib/qt6/bin/lupdate)}"
[ -x "$lupdate" ] || { echo "update-translations.sh: lupdate not found (Debian package qt6-l10n-tools)" >&2; exit 1; }
shopt -s nullglob
files=(translations/pathwright_*.ts)
[ ${#files[@]} -gt 0 ] || { echo "update-translations.sh: no translations/pathwright_*.ts" >&2; exit 1; }
"$lupdate" -no-obsolete -locations relative src/gui src/app src/core -ts "${files[@]}"
