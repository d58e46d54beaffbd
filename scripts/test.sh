#!/usr/bin/env bash
# Runs every test of the suite: the host build's tests, the fuzz targets for a bounded
# time, and the Windows build's tests under Wine (on a virtual display when none is set).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
jobs="$(nproc)"

"$root/scripts/setup.sh"

echo "== host build and tests"
cmake --preset host >/dev/null
cmake --build --preset host -j "$jobs"
ctest --preset host -j "$jobs"

echo "== fuzz targets"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target fuzzers -j "$jobs"
"$root/scripts/run-fuzzers.sh" "${SUITE_FUZZ_SECONDS:-15}"

echo "== Windows build and tests under Wine"
cmake --preset mingw >/dev/null
cmake --build --preset mingw -j "$jobs"
"$root/scripts/wine-prefix.sh"
"$root/scripts/with-display.sh" ctest --preset mingw
