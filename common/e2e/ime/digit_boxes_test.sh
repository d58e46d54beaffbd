#!/usr/bin/env bash
# Every program's digit boxes typed through a real Japanese input method under Wine: with
# the input method on, "12" (which it commits as "１２") gives "12" and "ka" (committed as
# "か") gives nothing; and a text box the user goes to next takes Japanese text again. Ordinell's output box takes a committed word once.
#   digit_boxes_test.sh <cross-build-dir>     on a display (scripts/with-display.sh)
# Exits 77 (skipped) when no input method can run here.
set -uo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "$here/../../.." && pwd)"
build="${1:?usage: digit_boxes_test.sh <cross-build-dir>}"

skip() {
    echo "SKIPPED: no input method runs here: $*"
    exit 77
}
[ -n "${DISPLAY:-}" ] || skip "no display"
for tool in ibus-daemon dbus-daemon xdotool xprop setpriv; do
    command -v "$tool" >/dev/null || skip "$tool is missing (packages ibus ibus-mozc xdotool x11-utils)"
done
[ -x /usr/lib/ibus-mozc/ibus-engine-mozc ] || skip "Mozc is missing (package ibus-mozc)"
locale -a 2>/dev/null | grep -qix 'ja_JP.utf-\?8' || skip "the ja_JP.UTF-8 locale is not generated"
[ "$(id -u)" = 0 ] || skip "its daemons run as another user, which needs root"

source "$root/scripts/wine-env.sh"
export IME_DIR
IME_DIR="$(mktemp -d /tmp/ime-test.XXXXXX)"
work="$(mktemp -d)"
source "$here/input-method.sh"
programs=()
# finish <Name>...: ends the programs, so that their windows cover no later program's.
finish() {
    local name
    for name in "$@"; do
        wine taskkill /f /im "$name.exe" </dev/null >/dev/null 2>&1
    done
    sleep 1
}
cleanup() {
    finish "${programs[@]}"
    ime_stop
    rm -rf "$work" "$IME_DIR"
}
trap cleanup EXIT
export IME_PRIME_WAIT=2  # the first key of a window opens its context; slow under load
ime_start full || skip "ibus with Mozc did not start (see $IME_DIR/logs)"
eval "$(ime_env)"

failures=0
check() {  # what, expected, got
    if [ "$2" = "$3" ]; then
        echo "ok   $1: \"$3\""
    else
        echo "FAIL $1: expected \"$2\", got \"$3\""
        failures=$((failures + 1))
    fi
}

tool() {
    wine "$build/common/e2e/window_tool.exe" "$@" </dev/null 2>/dev/null | tr -d '\r'
}

# start <Name> [demo-folder]: the program from a folder of its own, with the demo's files.
start() {
    mkdir -p "$work/$1"
    cp "$build/$(cd "$build" && find . -name "$1.exe" -not -path '*/tests/*' -print -quit)" \
        "$work/$1/"
    [ -z "${2:-}" ] || cp -r "$root/$2/." "$work/$1/"
    (cd "$work/$1" && exec wine "$1.exe" </dev/null >/dev/null 2>&1) &
    programs+=("$1")
}

# shown <window>: waits for the window, and for it to take clicks.
shown() {
    tool wait "$1" >/dev/null
    sleep 2
}

# The n-th visible text box of a window (from 0, in reading order): "x y focused text".
box() { tool edits "$1" | sed -n "$(($2 + 1))p"; }
text_of() { box "$1" "$2" | cut -d' ' -f4-; }
# A click into the box until it has the focus: a click may only activate the window, which
# then gives the focus to the box it had last.
click() {
    local x y focused rest try
    for try in 1 2 3 4 5; do
        read -r x y focused rest <<<"$(box "$1" "$2")"
        [ "$focused" = 1 ] && return 0
        xdotool mousemove "$x" "$y" click 1
        sleep 1
    done
    echo "FAIL box $2 of $1 does not take the focus"
    failures=$((failures + 1))
}

# digit_box <what> <window> <box> [<text box>]: the box emptied, then typed into with the
# input method on and off; then, when given, a text box of the same window takes "か".
digit_box() {
    local what=$1 window=$2 index=$3 before
    click "$window" "$index"
    xdotool key End && xdotool key --repeat 8 BackSpace
    ime_type 12
    check "$what, 12 with the input method on" 12 "$(text_of "$window" "$index")"
    ime_type ka
    check "$what, ka with the input method on" 12 "$(text_of "$window" "$index")"
    [ -n "${4:-}" ] || return 0
    before="$(text_of "$window" "$4")"
    click "$window" "$4"
    xdotool key End
    ime_type ka
    check "$what, then ka in a text box" "${before}か" "$(text_of "$window" "$4")"
}

start Lindrow
shown Lindrow
tool command Lindrow 1001  # Options
shown Options
digit_box "Lindrow's count" Options 0
finish Lindrow

start Mensato ruler/demo
shown 物差し
digit_box "Mensato's 1cmの大きさ" 物差し 1 0
digit_box "Mensato's 物差しの長さ" 物差し 3 0
finish Mensato

start Quillard answersheet/demo
shown Quillard
tool command Quillard 1001  # the question sets' editor
shown 設定
tool click 設定 新規
sleep 2
digit_box "Quillard's answers box" 設定 2 0
finish Quillard

start Tamvoro agent/demo
shown エージェント
tool command FRM_TTI 1006  # the detail settings
shown 詳細設定
digit_box "Tamvoro's テキストの切替時間" 詳細設定 4
digit_box "Tamvoro's 幅" 詳細設定 0
finish Tamvoro

start Ordinell
shown Ordinell
boxes=0
for try in 1 2 3 4 5; do
    boxes=$(tool edits Ordinell | wc -l)
    [ "$boxes" -eq 0 ] || break
    sleep 1
done
output=$((boxes - 1))  # the output box, below the range boxes
click Ordinell "$output"
ime_type nihongo convert
ime_type ka
check "Ordinell's output box, two words" 日本語か "$(text_of Ordinell "$output")"

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
