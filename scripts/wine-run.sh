#!/usr/bin/env bash
# Runs one Windows executable under the suite's Wine prefix (the cross build's test emulator).
#
# Now and then Wine fails to start a process at all: it ends at once, prints nothing and
# gives no test runner's exit code. Such a start is reported and tried once more, with
# Wine's error messages on so that a second failure says why. A test program that ran and
# failed ends with 1 and is never started again.
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
started=$(date +%s%N)
rc=0
wine "$@" || rc=$?
elapsed_ms=$((($(date +%s%N) - started) / 1000000))
if [ "$rc" -eq 0 ] || [ "$rc" -eq 1 ] || [ "$elapsed_ms" -ge 2000 ]; then
    exit "$rc"
fi
echo "wine-run: $1 ended with code $rc after $elapsed_ms ms; starting it once more" >&2
WINEDEBUG="-all,err+all" exec wine "$@"
