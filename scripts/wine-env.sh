# Sourced by the scripts that run Windows executables: a private, quiet Wine prefix.
suite_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export WINEPREFIX="${WINEPREFIX:-$suite_root/build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
# Wine converts command lines and the environment with the Unix locale.
export LANG=C.UTF-8
export LC_ALL=C.UTF-8
