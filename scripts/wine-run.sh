#!/usr/bin/env bash
# Runs one Windows executable under the suite's Wine prefix (the cross build's test emulator).
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
exec wine "$@"
