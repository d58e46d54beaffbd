#!/usr/bin/env bash
# Lindrow's bursts: the time of one burst at each default level and the time per addition,
# natively (Google Benchmark) and under Wine (the cross-built timing program).
# Usage: bench-lindrow.sh [host build dir] [mingw build dir]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
host="${1:-$root/build/host}"
mingw="${2:-$root/build/mingw}"

cmake --build "$host" --target lindrow_bench >/dev/null
cmake --build "$mingw" --target lindrow_burst_timing >/dev/null

echo "== native"
"$host/wait/lindrow_bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
echo "== under Wine"
"$root/scripts/wine-prefix.sh"
"$root/scripts/wine-run.sh" "$mingw/wait/lindrow_burst_timing.exe" | cat
