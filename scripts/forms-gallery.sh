#!/usr/bin/env bash
# Screenshot of the forms gallery (a form holding every control kind, Japanese captions)
# under Wine on Xvfb.
#   scripts/forms-gallery.sh [cross-build-dir] [output.png]
# The cross build must contain forms_gallery.exe (target forms_gallery).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

if [ "${1:-}" = "--shoot" ]; then
    # Runs under the display: start the gallery, wait for its window, take the picture.
    exe="$2"
    out="$3"
    wine "$exe" >/dev/null 2>&1 &
    pid=$!
    for _ in $(seq 1 60); do
        sleep 0.5
        if xwininfo -root -tree 2>/dev/null | grep -q "部品の一覧"; then
            break
        fi
    done
    sleep 2
    import -window root "$out"
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    exit 0
fi

build="${1:-$root/build/mingw}"
out="${2:-$root/build/forms-gallery.png}"
exe="$(find "$build" -name forms_gallery.exe -print -quit)"
if [ -z "$exe" ]; then
    echo "forms-gallery: no forms_gallery.exe under $build (build target forms_gallery)" >&2
    exit 1
fi
"$root/scripts/wine-prefix.sh"
"$root/scripts/with-display.sh" "$0" --shoot "$exe" "$out"
echo "forms-gallery: wrote $out"
