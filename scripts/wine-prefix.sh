#!/usr/bin/env bash
# Creates the suite's Wine prefix once, or brings one made by an older version of this
# script up to date: no window-manager waits, the caret kept after a word the input method
# commits, Wine's symbol font where Wine looks for it, and the Japanese face names the
# programs ask for mapped to the IPA fonts so text renders with real glyphs.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"

# Raise the version whenever the set-up below changes: older prefixes are set up again.
version=3
marker="$WINEPREFIX/.suite-ready"
if [ "$(cat "$marker" 2>/dev/null)" = "$version" ]; then
    exit 0
fi
if [ -d "$WINEPREFIX/drive_c" ]; then
    echo "wine-prefix: updating $WINEPREFIX"
else
    echo "wine-prefix: creating $WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
fi
wineserver -w
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
# The X input method shows its composition in a window of its own: with Wine's default
# style, each committed word moves the caret back before it, so the next word typed through
# the input method lands in front of the last.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v InputStyle /d root /f >/dev/null 2>&1

# Caption buttons, check marks and scroll arrows are drawn as characters of Wine's symbol
# font. The packaged Wine does not put it into the prefix's font folder, and without it
# they show as the plain letters standing for the symbols ("0 1 r" for the caption buttons).
symbols="$(find /usr/share/wine /usr/lib/wine /usr/lib/x86_64-linux-gnu/wine -name marlett.ttf \
    -print -quit 2>/dev/null || true)"
if [ -z "$symbols" ]; then
    echo "wine-prefix: Wine's symbol font marlett.ttf is missing (package fonts-wine)" >&2
    exit 1
fi
cp "$symbols" "$WINEPREFIX/drive_c/windows/Fonts/marlett.ttf"

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
echo "$version" >"$marker"
