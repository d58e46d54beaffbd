#!/usr/bin/env bash
# Draws each program's icon with ImageMagick and writes resources/icons/<Name>.ico holding
# 16, 32 and 48 pixel images. The .ico files are kept in the repository; run this again
# only to change a design.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="$root/resources/icons"
mkdir -p "$out"

# icon <Name> <draw arguments...>: a 256 px drawing on a transparent canvas, scaled down.
icon() {
    local name="$1"
    shift
    convert -size 256x256 xc:none -strokewidth 8 "$@" \
        -define icon:auto-resize=48,32,16 "$out/$name.ico"
    echo "make-icons: $out/$name.ico"
}

# Tamvoro, the balloon agent: a speech balloon.
icon Tamvoro \
    -fill '#2f6fd0' -stroke '#173a70' -draw 'roundrectangle 16,24 240,176 40,40' \
    -draw 'polygon 60,170 110,170 40,236' \
    -stroke none -fill white -draw 'circle 76,100 92,100' -draw 'circle 128,100 144,100' \
    -draw 'circle 180,100 196,100'

# Pindorel, sticky notes: a yellow note with a turned corner and lines of text.
icon Pindorel \
    -fill '#ffe14d' -stroke '#b08f00' -draw 'polygon 24,24 232,24 232,176 176,232 24,232' \
    -fill '#e0b800' -draw 'polygon 232,176 176,176 176,232' \
    -stroke '#8a7000' -draw 'line 56,80 200,80' -draw 'line 56,120 200,120' \
    -draw 'line 56,160 144,160'

# Quillard, the answer sheet: a sheet with a red tick.
icon Quillard \
    -fill white -stroke '#505050' -draw 'rectangle 40,16 216,240' \
    -stroke '#a0a0a0' -draw 'line 72,64 184,64' -draw 'line 72,104 184,104' \
    -draw 'line 72,144 184,144' \
    -stroke '#d02020' -strokewidth 24 -fill none -draw 'polyline 64,150 112,200 200,88'

# Mensato, the screen ruler: a ruler with tick marks.
icon Mensato \
    -fill '#f0c060' -stroke '#7a5410' -draw 'rectangle 8,80 248,176' \
    -stroke '#3a2800' -draw 'line 32,80 32,136' -draw 'line 72,80 72,112' \
    -draw 'line 112,80 112,136' -draw 'line 152,80 152,112' -draw 'line 192,80 192,136' \
    -draw 'line 232,80 232,112'

# Lindrow, the wait program: an hourglass.
icon Lindrow \
    -fill '#6a4a2a' -stroke none -draw 'rectangle 48,16 208,40' -draw 'rectangle 48,216 208,240' \
    -fill '#d8ecf8' -stroke '#406080' -draw 'polygon 64,40 192,40 136,128 192,216 64,216 120,128' \
    -stroke none -fill '#e0b050' -draw 'polygon 96,72 160,72 128,116' \
    -draw 'polygon 128,150 176,208 80,208'

# Ordinell, the sequential list: numbered rows.
icon Ordinell \
    -fill '#2a9a4a' -stroke '#146030' -draw 'rectangle 24,28 80,76' \
    -draw 'rectangle 24,104 80,152' -draw 'rectangle 24,180 80,228' \
    -stroke '#303030' -strokewidth 16 -draw 'line 104,52 232,52' -draw 'line 104,128 232,128' \
    -draw 'line 104,204 232,204'

# Velcrest, the disc-tray closer: a disc going into its tray.
icon Velcrest \
    -fill '#c8c8d0' -stroke '#606070' -draw 'circle 128,100 128,20' \
    -fill white -draw 'circle 128,100 128,80' \
    -fill '#303040' -stroke none -draw 'rectangle 16,196 240,236' \
    -fill '#20a040' -draw 'polygon 200,40 240,80 216,80 216,150 184,150 184,80 160,80'
