#!/usr/bin/env bash
# Tamvoro's costs under Wine: the picture outline against a naive region union, then the
# running agent on the demo data — the processor time it uses over a span of ticks (from
# the system's accounting of its process) and its memory and window count once a minute.
# Usage: bench-tamvoro.sh [mingw build dir] [cpu seconds, default 60] [minutes, default 10]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

if [ "${1:-}" = "--idle" ]; then
    # Runs under the display: the agent in a copy of the demo folder.
    exe="$2"; span="$3"; minutes="$4"
    folder="$(mktemp -d)"
    cp "$exe" "$root"/agent/demo/* "$folder/"
    (cd "$folder" && exec wine ./Tamvoro.exe >/dev/null 2>&1) &
    pid=$!  # wine becomes the program's process
    sleep 8  # start-up done, the first ticks run
    echo "process $pid: $(cat "/proc/$pid/comm")"
    ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
    hz="$(getconf CLK_TCK)"
    before="$(ticks)"
    sleep "$span"
    used="$(( $(ticks) - before ))"
    awk -v t="$used" -v hz="$hz" -v s="$span" \
        'BEGIN { printf "processor time over %d s of ticks: %.3f s = %.3f %% of one core\n", s, t / hz, 100 * t / hz / s }'
    for minute in $(seq 0 "$minutes"); do
        rss="$(awk '/VmRSS/ {print $2, $3}' "/proc/$pid/status")"
        windows="$(xwininfo -root -children 2>/dev/null | grep -c '"' || true)"
        echo "minute $minute: resident memory $rss, X windows $windows"
        [ "$minute" -lt "$minutes" ] && sleep 60
    done
    kill "$pid" 2>/dev/null || true
    rm -rf "$folder"
    exit 0
fi

mingw="${1:-$root/build/mingw}"
span="${2:-60}"
minutes="${3:-10}"
cmake --build "$mingw" --target tamvoro_outline_timing Tamvoro >/dev/null
"$root/scripts/wine-prefix.sh"
echo "== outline under Wine"
"$root/scripts/wine-run.sh" "$mingw/agent/tamvoro_outline_timing.exe" 5 | cat
echo "== the running agent"
"$root/scripts/with-display.sh" "$0" --idle "$mingw/agent/Tamvoro.exe" "$span" "$minutes"
