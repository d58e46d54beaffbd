#!/usr/bin/env bash
# A real Japanese input method (ibus with Mozc, over the X input method) on an X display,
# typing romaji into whatever Wine window has the keyboard focus, as a user with the input
# method switched on does. Source it for its functions, or run it:
#   input-method.sh start [full|half]   daemons on $DISPLAY; digits come out full-width
#                                       ("１２", Mozc's default) or half-width
#   eval "$(input-method.sh env)"       XMODIFIERS and the locale for the wine started next
#   input-method.sh type ROMAJI [MODE]  type into the focused window; MODE: enter (commit the
#                                       kana, the default), convert (Space, then Enter), none
#   input-method.sh key KEY...          keys as xdotool names them; Zenkaku_Hankaku switches
#                                       the input method off and on
#   input-method.sh stop
# Needs (Debian): ibus ibus-mozc xdotool x11-utils, the ja_JP.UTF-8 locale, root.
#
# Found by trial (Debian 12, Wine 8):
# - Mozc refuses to run as root, and then the engine passes every key through. The daemons
#   run as IME_UID (nobody) with their own home under IME_DIR; Wine may stay root, the
#   input method speaks to it over the X connection.
# - ibus-daemon ends when its parent does, so it runs under a shell that waits for it.
# - active_on_launch starts Mozc in hiragana mode; the digits' width is Mozc's config1.db,
#   written by mozc-config.py.
# - Wine opens a window's X input context on the first key the window gets, and that key
#   bypasses the input method: `type` presses Shift and waits first.
# - Keys go to the X focus: click a box with the real pointer (xdotool), not with messages.

IME_DIR=${IME_DIR:-/tmp/ime-kit/ime}
IME_UID=${IME_UID:-65534}
IME_DELAY=${IME_DELAY:-70}
IME_TAG="IME_TRIAL_TAG=$IME_DIR"
ime_here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

ime_as() { setpriv --reuid="$IME_UID" --regid="$IME_UID" --clear-groups "$@"; }
ime_envs() {
    echo "env -i PATH=/usr/bin:/bin:/usr/libexec DISPLAY=$DISPLAY HOME=$IME_DIR/home \
XAUTHORITY=$IME_DIR/xauth LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 NO_AT_BRIDGE=1 \
XDG_RUNTIME_DIR=$IME_DIR/run DBUS_SESSION_BUS_ADDRESS=unix:path=$IME_DIR/run/bus $IME_TAG"
}

# The processes started (each carries the tag in its environment).
ime_pids() {
    local p
    for p in /proc/[0-9]*; do
        [ "$(stat -c %u "$p" 2>/dev/null)" = "$IME_UID" ] || continue
        { tr '\0' '\n' <"$p/environ"; } 2>/dev/null | grep -qxF "$IME_TAG" && echo "${p#/proc/}"
    done
}

ime_write_config() {  # full|half
    local cfg="$IME_DIR/home/.config/mozc"
    mkdir -p "$cfg"
    cat >"$cfg/ibus_config.textproto" <<'END'
engines {
  name : "mozc-jp"
  longname : "Mozc"
  layout : "default"
  layout_variant : ""
  layout_option : ""
  rank : 80
}
active_on_launch: True
END
    python3 "$ime_here/mozc-config.py" "$cfg/config1.db" --digits "${1:-full}" >/dev/null
    chown -R "$IME_UID:$IME_UID" "$IME_DIR/home"
}

ime_start() {  # full|half; false when the input method did not come up
    [ -z "$(ime_pids)" ] || { echo "input method: already running" >&2; return 1; }
    mkdir -p "$IME_DIR/run" "$IME_DIR/home" "$IME_DIR/logs"
    chown "$IME_UID:$IME_UID" "$IME_DIR" "$IME_DIR/run" "$IME_DIR/logs"
    chmod 700 "$IME_DIR/run"
    # The display's key, readable by the daemons' user.
    : >"$IME_DIR/xauth"
    if [ -n "${XAUTHORITY:-}" ] && [ -r "$XAUTHORITY" ]; then
        cp "$XAUTHORITY" "$IME_DIR/xauth"
    fi
    chown "$IME_UID:$IME_UID" "$IME_DIR/xauth"
    ime_write_config "${1:-full}"
    local E i
    E=$(ime_envs)
    ime_as $E dbus-daemon --session --fork --address="unix:path=$IME_DIR/run/bus" \
        --print-pid=1 >"$IME_DIR/logs/dbus.pid" || return 1
    setsid setpriv --reuid="$IME_UID" --regid="$IME_UID" --clear-groups $E sh -c \
        'ibus-daemon --xim --replace --verbose --panel=disable --emoji-extension=disable' \
        >"$IME_DIR/logs/ibus.log" 2>&1 </dev/null &
    for i in $(seq 50); do
        xprop -root XIM_SERVERS 2>/dev/null | grep -q 'server=ibus' &&
            ime_as $E ibus address >/dev/null 2>&1 && break
        sleep 0.2
    done
    for i in $(seq 20); do
        ime_as $E ibus engine mozc-jp >/dev/null 2>&1
        [ "$(ime_as $E ibus engine 2>/dev/null)" = mozc-jp ] && break
        sleep 0.3
    done
    sleep 1
    [ "$(ime_as $E ibus engine 2>/dev/null)" = mozc-jp ]
}

ime_stop() {
    local pids
    pids=$(ime_pids)
    [ -z "$pids" ] || kill $pids 2>/dev/null
    sleep 1
    pids=$(ime_pids)
    [ -z "$pids" ] || kill -9 $pids 2>/dev/null
    rm -f "$IME_DIR/run/bus"
    return 0
}

ime_env() {
    echo "export XMODIFIERS=@im=ibus LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8"
}

ime_type() {  # ROMAJI [enter|convert|none]
    xdotool key shift
    sleep "${IME_PRIME_WAIT:-1}"
    xdotool type --delay "$IME_DELAY" -- "$1"
    sleep 0.5
    case "${2:-enter}" in
        enter) xdotool key Return ;;
        convert) xdotool key space && sleep 0.5 && xdotool key Return ;;
        none) ;;
        *) echo "input method: unknown mode $2" >&2; return 1 ;;
    esac
    sleep 0.5
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    command=${1:-}
    shift || true
    case "$command" in
        start) ime_start "$@" ;;
        stop) ime_stop ;;
        env) ime_env ;;
        type) ime_type "$@" ;;
        key) xdotool key "$@" ;;
        *) sed -n '2,14p' "$0" >&2; exit 2 ;;
    esac
fi
