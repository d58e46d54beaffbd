#!/usr/bin/env bash
# Sets up the Wine prefix for a display scaling: at 100 % the tests' own prefix, at 125, 150
# or 200 % (120, 144, 192 dpi) a prefix of that scale of its own, build/wineprefix-<percent>,
# so that the tests' prefix stays at 96 dpi. Made once; the scale is set on every call.
#   scripts/scaled-prefix.sh <percent>
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
scale="${1:?scaled-prefix: give the scale in percent}"
case "$scale" in
    100) ;;
    125 | 150 | 200) export WINEPREFIX="$root/build/wineprefix-$scale" ;;
    *) echo "scaled-prefix: scale $scale is not one of 100, 125, 150, 200" >&2; exit 2 ;;
esac
"$root/scripts/wine-prefix.sh"
source "$root/scripts/wine-env.sh"
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD \
    /d $((96 * scale / 100)) /f </dev/null >/dev/null 2>&1
wineserver -w
