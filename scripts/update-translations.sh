#!/usr/bin/env bash
# Brings the translation catalogues up to date with the texts in the code:
# every text that the window and peln-cli show a person, from src/ and
# tools/peln-cli/. New texts arrive unfinished, texts gone from the code are
# dropped. Then translate what is unfinished (Qt Linguist, or any editor:
# the files are XML) and commit the .ts files; the build compiles them.
#
#   scripts/update-translations.sh            every catalogue in translations/
#   scripts/update-translations.sh LANGUAGE   a new catalogue, for example fr
set -euo pipefail
cd "$(dirname "$0")/.."
lupdate=$(command -v lupdate-qt6 || echo /usr/lib/qt6/bin/lupdate)

catalogues=(translations/peln_*.ts)
[ $# -gt 0 ] && catalogues=("translations/peln_$1.ts")
# No line numbers: a catalogue changes only when a text does.
"$lupdate" -silent -locations none -no-obsolete -extensions cpp,h,ui \
    src tools/peln-cli -ts "${catalogues[@]}"
for catalogue in "${catalogues[@]}"; do
    left=$(grep -c 'type="unfinished"' "$catalogue" || true)
    echo "$catalogue: $left texts left to translate"
done
