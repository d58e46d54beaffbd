#!/usr/bin/env bash
# Sets up, builds the Windows executables, lays out demo/ with the programs and sample
# data beside them, and starts the suite under Wine. Without a display it runs on a
# private Xvfb and saves a screenshot to demo/screenshot.png instead.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

if [ "${1:-}" != "--started" ]; then
    scripts/setup.sh
    cmake --preset mingw >/dev/null
    cmake --build --preset mingw -j "$(nproc)"
    scripts/wine-prefix.sh

    rm -rf demo && mkdir demo
    for name in Tamvoro Pindorel Quillard Mensato Lindrow Ordinell Velcrest; do
        exe="$(find build/mingw -name "$name.exe" -not -path '*/tests/*' | head -1)"
        if [ -n "$exe" ]; then
            cp "$exe" demo/
        fi
    done
    # Each program's sample data lives in its folder's demo/ and goes beside the programs.
    for data in */demo; do
        cp -r "$data/." demo/
    done
    exec scripts/with-display.sh "$0" --started
fi

source scripts/wine-env.sh
cd demo
if [ -f Tamvoro.exe ]; then
    # The agent first; the sticky notes join it on the desktop with their demo notes.
    programs=(Tamvoro)
    if [ -f Pindorel.exe ]; then
        programs+=(Pindorel)
    fi
else
    programs=()
    for exe in *.exe; do
        programs+=("${exe%.exe}")
    done
    echo "demo: the agent program is not built yet; starting what exists: ${programs[*]}"
fi
for name in "${programs[@]}"; do
    wine "$name.exe" </dev/null >/dev/null 2>&1 &
done

if [ -z "${SUITE_PRIVATE_DISPLAY:-}" ]; then
    echo "demo: running on $DISPLAY; close the programs to end."
    wait
else
    sleep 8
    import -window root screenshot.png
    echo "demo: no desktop display; screenshot saved to demo/screenshot.png"
    wineserver -k || true
fi
