#!/usr/bin/env bash
# Creates the suite's Wine prefix once: no window-manager waits, and the Japanese face
# names the programs ask for mapped to the IPA fonts so text renders with real glyphs.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"

marker="$WINEPREFIX/.suite-ready"
if [ -f "$marker" ]; then
    exit 0
fi
mkdir -p "$WINEPREFIX"
echo "wine-prefix: creating $WINEPREFIX"
wineboot -i >/dev/null 2>&1 || true
wineserver -w
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
replace() {
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$1" /d "$2" /f >/dev/null 2>&1
}
for face in "ＭＳ Ｐゴシック" "MS PGothic" "MS UI Gothic" "MS Shell Dlg" "MS Shell Dlg 2" \
    "Tahoma" "MS Sans Serif" "ＭＳ Ｐ明朝" "MS PMincho" "Meiryo" "メイリオ" "Yu Gothic UI"; do
    replace "$face" "IPAPGothic"
done
for face in "ＭＳ ゴシック" "MS Gothic" "ＭＳ 明朝" "MS Mincho"; do
    replace "$face" "IPAGothic"
done
wineserver -w
touch "$marker"
