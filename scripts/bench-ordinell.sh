#!/usr/bin/env bash
# Ordinell: building a million lines natively against `seq` writing a million lines of the
# same length (the ratio of the two times), then, under Wine, the time from the click on
# the start button to the text shown for 100,000 and 1,000,000 lines.
# Usage: bench-ordinell.sh [host build dir] [mingw build dir]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
host="${1:-$root/build/host}"
mingw="${2:-$root/build/mingw}"

cmake --build "$host" --target ordinell_bench >/dev/null
cmake --build "$mingw" --target Ordinell ordinell_click_to_shown >/dev/null

echo "== native: build vs seq"
"$host/seqlist/ordinell_bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
echo "== under Wine: click to shown"
"$root/scripts/wine-prefix.sh"
source "$root/scripts/wine-env.sh"
exe="$(winepath -w "$mingw/seqlist/Ordinell.exe")"
"$root/scripts/with-display.sh" "$root/scripts/wine-run.sh" \
    "$mingw/seqlist/ordinell_click_to_shown.exe" "$exe" | cat
