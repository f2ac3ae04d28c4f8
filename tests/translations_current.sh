#!/usr/bin/env bash
# Every shipped catalogue translates every text the code shows a person:
# lupdate, run over the code into a copy, must find no text missing, none
# left unfinished and none the code no longer has.
set -euo pipefail
cd "$(dirname "$0")/.."
lupdate=$(command -v lupdate-qt6 || echo /usr/lib/qt6/bin/lupdate)
work=$(mktemp -d) && trap 'rm -rf "$work"' EXIT
status=0
for catalogue in translations/peln_*.ts; do
    copy="$work/$(basename "$catalogue")"
    cp "$catalogue" "$copy"
    "$lupdate" -silent -locations none -extensions cpp,h,ui src tools/peln-cli -ts "$copy"
    for state in unfinished vanished obsolete; do
        count=$(grep -c "type=\"$state\"" "$copy" || true)
        if [ "$count" -ne 0 ]; then
            echo "FAIL: $catalogue: $count texts $state; run scripts/update-translations.sh"
            grep -B2 "type=\"$state\"" "$copy" | grep '<source>' | head -5
            status=1
        fi
    done
done
exit $status
