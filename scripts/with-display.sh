#!/usr/bin/env bash
# Runs a command with a display for Wine: the current one, or a private Xvfb when none
# is set. A persistent wineserver spares every test the server's start-up.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
run() {
    wineserver -p
    local rc=0
    "$@" || rc=$?
    wineserver -k || true
    return $rc
}
if [ -n "${DISPLAY:-}" ]; then
    run "$@"
else
    export -f run
    exec xvfb-run -a -s "-screen 0 1280x1024x24" bash -c 'run "$@"' run "$@"
fi
