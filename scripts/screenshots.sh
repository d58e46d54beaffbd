#!/usr/bin/env bash
# Screenshots of every program that is built: its main window and its principal dialog,
# under Wine on a virtual display, into docs/screenshots/. A program whose .exe is not in
# the cross build is skipped.
#   scripts/screenshots.sh [--scale <percent>] [cross-build-dir]
# With a display scaling other than 100 % (125, 150, 200: 120, 144, 192 dpi), the pictures
# go to docs/screenshots/<percent>/, taken in a Wine prefix of that scale of their own so
# that the tests' prefix stays at 96 dpi.
# Adding a program: a function shoot_<name> below that starts it, drives it with `tool`
# and takes pictures with `shot`, and its name in the list at the end.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
scale=100
if [ "${1:-}" = "--scale" ]; then
    scale="${2:?--scale needs a percentage}"
    shift 2
fi
case "$scale" in
    100 | 125 | 150 | 200) ;;
    *) echo "screenshots: scale $scale is not one of 100, 125, 150, 200" >&2; exit 2 ;;
esac
build="${SCREENSHOTS_BUILD:-${1:-$root/build/mingw}}"
out="$root/docs/screenshots"
if [ "$scale" != 100 ]; then
    out="$out/$scale"
    export WINEPREFIX="$root/build/wineprefix-$scale"
fi

if [ -z "${SUITE_SCREENSHOTS_STARTED:-}" ]; then
    cmake --build "$build" --target window_tool quillard_screens >/dev/null
    "$root/scripts/scaled-prefix.sh" "$scale"
    export SUITE_SCREENSHOTS_STARTED=1 SCREENSHOTS_BUILD="$build"
    if [ -z "${DISPLAY:-}" ]; then
        # A screen that holds the largest windows at this scale.
        exec xvfb-run -a -s "-screen 0 $((1280 * scale / 100))x$((1024 * scale / 100))x24" \
            "$root/scripts/with-display.sh" "$0" --scale "$scale"
    fi
    exec "$root/scripts/with-display.sh" "$0" --scale "$scale"
fi
source "$root/scripts/wine-env.sh"
mkdir -p "$out"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# tool <verb> <window> [...]: wait for a window, send it a command or a message, click one of
# its buttons, point at it or double-click it (common/e2e/tools/window_tool_win.cpp).
tool() {
    wine "$build/common/e2e/window_tool.exe" "$@" </dev/null
}

# exe_of <Name>: the path of <Name>.exe in the cross build; false when it is not built.
exe_of() {
    local exe
    exe="$(find "$build" -name "$1.exe" -not -path '*/tests/*' -print -quit)"
    if [ -z "$exe" ]; then
        echo "screenshots: $1 is not built; skipped" >&2
        return 1
    fi
    echo "$exe"
}

# start <Name> [demo-folder]: runs <Name>.exe from a fresh folder of its own, with the files
# of the demo folder (relative to the root) beside it; false when it is not built.
start() {
    local exe
    exe="$(exe_of "$1")" || return 1
    rm -rf "${work:?}/$1"
    mkdir -p "$work/$1"
    cp "$exe" "$work/$1/"
    if [ -n "${2:-}" ]; then
        cp -r "$root/$2/." "$work/$1/"
    fi
    (cd "$work/$1" && wine "$1.exe" </dev/null >/dev/null 2>&1 &)
}

# shot <file>: the screen's windows, cropped to what they cover, as docs/screenshots/<file>.
# Without the time stamps PNG files carry, a picture that did not change keeps its bytes.
shot() {
    sleep 1
    import -window root "$work/screen.png"
    convert "$work/screen.png" -trim +repage -strip "$out/$1"
    echo "screenshots: ${out#"$root/"}/$1"
}

# stop: ends every program of this run (the prefix's server with them).
stop() {
    wineserver -k || true
    sleep 1
}

# The agent with its balloon, its notification menu (the icon's right button, as the hidden
# window FRM_TTI receives it; the menu opens at the pointer, so the pointer goes over the
# agent first), its two settings dialogs and the timetable editor, commands of FRM_TTI; in
# the editor a double-click on the list selects the first period.
shoot_Tamvoro() {
    start Tamvoro agent/demo || return 0
    tool wait エージェント
    sleep 2
    shot tamvoro.png
    tool pointer エージェント 20 20
    tool post FRM_TTI 0x200 0 516  # WM_MOUSEMOVE carrying the right button's press
    shot tamvoro-menu.png
    stop
    start Tamvoro agent/demo
    tool wait エージェント
    tool command FRM_TTI 1005  # MNU_Set_Launcher
    tool wait ランチャー設定
    shot tamvoro-launcher.png
    tool click ランチャー設定 "キャンセル(&C)"
    sleep 1
    tool command FRM_TTI 1006  # MNU_Set_Detail
    tool wait 詳細設定
    shot tamvoro-detail.png
    tool click 詳細設定 "キャンセル(&C)"
    sleep 1
    tool command FRM_TTI 1008  # MNU_Set_Timetable
    tool wait 時間割
    tool dblclick 時間割 $((60 * scale / 100)) $((133 * scale / 100))
    shot tamvoro-timetable.png
    stop
}

# Four demo notes in their fonts and colours, the menu of one note (a right click on its
# face: the pointer over it, then the button's release), and the options dialog, a command
# of the hidden controller.
shoot_Pindorel() {
    start Pindorel notes/demo || return 0
    tool wait '[SuiteForm]'
    sleep 1
    shot pindorel.png
    tool pointer '[SuiteForm]' 60 40
    tool post '[SuiteForm]' 0x205 0 0x28003c  # WM_RBUTTONUP at (60, 40)
    shot pindorel-menu.png
    stop
    start Pindorel notes/demo
    tool wait '[SuiteForm]'
    tool command Pindorel 1007  # MNU_Option
    tool wait オプション
    shot pindorel-options.png
    stop
}

# quillard_screens drives the program and names each state while it is on screen.
shoot_Quillard() {
    local exe screens state
    exe="$(exe_of Quillard)" || return 0
    screens="$(exe_of quillard_screens)" || return 0
    wine "$screens" "$(winepath -w "$exe")" "$(winepath -w "$root/answersheet/demo/Quillard.csv")" \
        </dev/null 2>/dev/null | while read -r state; do
        case "${state%$'\r'}" in
            marked) shot quillard.png ;;
            editor) shot quillard-editor.png ;;
            class) shot quillard-class.png ;;
        esac
    done
    stop
}

# The settings window with the horizontal ruler, then the ruler turned upright by a
# double-click on it.
shoot_Mensato() {
    start Mensato ruler/demo || return 0
    tool wait 物差し
    tool wait '[SuiteForm]'
    shot mensato.png
    tool dblclick '[SuiteForm]' 30 10
    shot mensato-vertical.png
    stop
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
