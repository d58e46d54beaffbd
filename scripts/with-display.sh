#!/usr/bin/env bash
# Runs a command with a display for Wine: the current one, or a private Xvfb when none
# is set. A persistent wineserver spares every test the server's start-up.
set -euo pipefail
if [ -z "${DISPLAY:-}" ]; then
    SUITE_PRIVATE_DISPLAY=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
wineserver -p || true  # already running for this prefix
# Start Wine's own background services now, detached from our output: started by a test,
# they would keep its output pipe open and the test runner waiting for ever.
wine cmd /c exit </dev/null >/dev/null 2>&1 || true
rc=0
"$@" || rc=$?
wineserver -k || true
exit $rc
