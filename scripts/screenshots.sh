#!/usr/bin/env bash
# Screenshots of every program that is built: its main window and its principal dialog,
# under Wine on a virtual display, into docs/screenshots/. A program whose .exe is not in
# the cross build is skipped.
#   scripts/screenshots.sh [cross-build-dir]
# Adding a program: a function shoot_<name> below that starts it, drives it with `tool`
# and takes pictures with `shot`, and its name in the list at the end.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${SCREENSHOTS_BUILD:-${1:-$root/build/mingw}}"
out="$root/docs/screenshots"

if [ -z "${SUITE_SCREENSHOTS_STARTED:-}" ]; then
    cmake --build "$build" --target window_tool >/dev/null
    "$root/scripts/wine-prefix.sh"
    export SUITE_SCREENSHOTS_STARTED=1 SCREENSHOTS_BUILD="$build"
    exec "$root/scripts/with-display.sh" "$0"
fi
source "$root/scripts/wine-env.sh"
mkdir -p "$out"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# tool <verb> <caption> [...]: wait for, command or click a window (common/e2e/tools).
tool() {
    wine "$build/common/e2e/window_tool.exe" "$@" </dev/null
}

# start <Name>: runs <Name>.exe from a fresh folder of its own; false when it is not built.
start() {
    local exe
    exe="$(find "$build" -name "$1.exe" -not -path '*/tests/*' -print -quit)"
    if [ -z "$exe" ]; then
        echo "screenshots: $1 is not built; skipped"
        return 1
    fi
    mkdir -p "$work/$1"
    cp "$exe" "$work/$1/"
    (cd "$work/$1" && wine "$1.exe" </dev/null >/dev/null 2>&1 &)
}

# shot <file>: the screen's windows, cropped to what they cover, as docs/screenshots/<file>.
shot() {
    sleep 1
    import -window root "$work/screen.png"
    convert "$work/screen.png" -trim +repage "$out/$1"
    echo "screenshots: docs/screenshots/$1"
}

# stop: ends every program of this run (the prefix's server with them).
stop() {
    wineserver -k || true
    sleep 1
}

shoot_Lindrow() {
    start Lindrow || return 0
    tool wait Lindrow
    shot lindrow.png
    tool command Lindrow 1001  # &Options
    tool wait Options
    shot lindrow-options.png
    stop
}

shoot_Ordinell() {
    start Ordinell || return 0
    tool wait Ordinell
    tool click Ordinell "開始(&S)"
    tool wait Ordinell
    sleep 2
    shot ordinell.png
    stop
}

shoot_Velcrest() {
    start Velcrest || return 0
    tool wait Velcrest  # no window of its own: the message of a tray that did not close
    shot velcrest.png
    stop
}

for name in Tamvoro Pindorel Quillard Mensato Lindrow Ordinell Velcrest; do
    if declare -F "shoot_$name" >/dev/null; then
        "shoot_$name"
    else
        echo "screenshots: no pictures defined for $name yet"
    fi
done
