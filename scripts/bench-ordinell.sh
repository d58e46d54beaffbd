#!/usr/bin/env bash
# Ordinell: building a million lines natively against `seq` writing a million lines of the
# same length (the ratio of the two times); under Wine, the time from the click on the
# start button to the text shown for 10,000 and 100,000 lines, with the program's peak
# memory; then what the rich-edit control itself costs with the text put in other ways,
# and to drop a shown text by deleting it or by replacing the window.
# Usage: bench-ordinell.sh [host build dir] [mingw build dir]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
host="${1:-$root/build/host}"
mingw="${2:-$root/build/mingw}"

cmake --build "$host" --target ordinell_bench >/dev/null
cmake --build "$mingw" --target Ordinell ordinell_click_to_shown ordinell_rich_edit_fill >/dev/null

echo "== native: build vs seq"
"$host/seqlist/ordinell_bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
"$root/scripts/wine-prefix.sh"
source "$root/scripts/wine-env.sh"
exe="$(winepath -w "$mingw/seqlist/Ordinell.exe")"
fill="$mingw/seqlist/ordinell_rich_edit_fill.exe"
echo "== under Wine: click to shown"
# The first window program started right after Wine's services sometimes gets no windows
# at all and waits invisibly; a pause lets the services settle first.
"$root/scripts/with-display.sh" bash -c '
    sleep 5
    "$1/scripts/wine-run.sh" "$2" "$3" | cat
    echo "== under Wine: the control alone, 100,000 lines put in each way"
    for way in settext plain stream noredraw onepara noundo plain+stream+noredraw settext+ascii; do
        "$1/scripts/wine-run.sh" "$4" 100000 "$way" | cat
    done
    echo "== under Wine: dropping a shown text of 3,000 lines"
    for way in settext+empty settext+destroy; do
        "$1/scripts/wine-run.sh" "$4" 3000 "$way" | grep drop
    done' bench "$root" "$mingw/seqlist/ordinell_click_to_shown.exe" "$exe" "$fill"
