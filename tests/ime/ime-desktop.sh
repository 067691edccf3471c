# SPDX-License-Identifier: MIT
# A private desktop for typing with a real input method: Xvfb on a free display, a D-Bus
# session, openbox, and fcitx5 or ibus with pinyin. Sourced by the input-method tests; every
# process started here is stopped by its PID in desktop_stop. A daemon that cannot start
# leaves a reason in DESKTOP_WHY and makes the function return 1.

DESKTOP_PIDS=()
DESKTOP_WHY=

desktop_note() { printf '%s\n' "$*" >&2; }

# desktop_start ROOT: Xvfb, environment, D-Bus and openbox; HOME and XDG folders under ROOT.
desktop_start() {
    local root=$1 n
    for cmd in Xvfb xdpyinfo dbus-launch openbox xdotool; do
        command -v "$cmd" >/dev/null || { DESKTOP_WHY="$cmd is not installed"; return 1; }
    done
    export HOME=$root/home XDG_CONFIG_HOME=$root/home/.config XDG_DATA_HOME=$root/home/.local/share
    export XDG_CACHE_HOME=$root/home/.cache XDG_RUNTIME_DIR=$root/run
    mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" "$XDG_RUNTIME_DIR"
    chmod 700 "$XDG_RUNTIME_DIR"
    for n in $(seq 140 199); do
        [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] && continue
        Xvfb ":$n" -screen 0 1600x1000x24 -nolisten tcp >"$root/xvfb.log" 2>&1 &
        DESKTOP_PIDS+=($!)
        local i
        for i in $(seq 1 50); do
            xdpyinfo -display ":$n" >/dev/null 2>&1 && break
            kill -0 "${DESKTOP_PIDS[-1]}" 2>/dev/null || break
            sleep 0.1
        done
        if xdpyinfo -display ":$n" >/dev/null 2>&1; then
            export DISPLAY=:$n
            break
        fi
    done
    [ -n "${DISPLAY:-}" ] || { DESKTOP_WHY="Xvfb did not start on any display :140-:199"; return 1; }
    eval "$(dbus-launch --sh-syntax)" || { DESKTOP_WHY="dbus-launch failed"; return 1; }
    DESKTOP_PIDS+=("$DBUS_SESSION_BUS_PID")
    openbox >"$root/openbox.log" 2>&1 &
    DESKTOP_PIDS+=($!)
    sleep 0.5
    return 0
}

# desktop_fcitx5: fcitx5 with pinyin active by default.
desktop_fcitx5() {
    command -v fcitx5 >/dev/null || { DESKTOP_WHY="fcitx5 is not installed"; return 1; }
    mkdir -p "$XDG_CONFIG_HOME/fcitx5"
    cat >"$XDG_CONFIG_HOME/fcitx5/profile" <<'PROFILE'
[Groups/0]
Name=Default
Default Layout=us
DefaultIM=pinyin

[Groups/0/Items/0]
Name=keyboard-us
Layout=

[Groups/0/Items/1]
Name=pinyin
Layout=

[GroupOrder]
0=Default
PROFILE
    printf '[Behavior]\nActiveByDefault=True\n' >"$XDG_CONFIG_HOME/fcitx5/config"
    fcitx5 --disable=notificationitem,kimpanel >"$HOME/fcitx5.log" 2>&1 &
    DESKTOP_PIDS+=($!)
    local i
    for i in $(seq 1 50); do
        dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
            org.freedesktop.DBus.NameHasOwner string:org.fcitx.Fcitx5 2>/dev/null | grep -q true && break
        kill -0 "${DESKTOP_PIDS[-1]}" 2>/dev/null || { DESKTOP_WHY="fcitx5 exited: $(tail -3 "$HOME/fcitx5.log")"; return 1; }
        sleep 0.2
    done
    [ "$i" -lt 50 ] || { DESKTOP_WHY="fcitx5 did not take its D-Bus name in 10 s"; return 1; }
    export QT_IM_MODULE=fcitx XMODIFIERS=@im=fcitx
    sleep 1
    return 0
}

# desktop_ibus: ibus-daemon with libpinyin as its engine.
desktop_ibus() {
    command -v ibus-daemon >/dev/null || { DESKTOP_WHY="ibus-daemon is not installed"; return 1; }
    [ -x /usr/libexec/ibus-engine-libpinyin ] || { DESKTOP_WHY="ibus-libpinyin is not installed"; return 1; }
    gsettings set org.freedesktop.ibus.general preload-engines "['libpinyin']" 2>/dev/null
    ibus-daemon -d --xim -r >"$HOME/ibus.log" 2>&1
    local i pid=
    for i in $(seq 1 50); do
        local f
        for f in "$XDG_CONFIG_HOME"/ibus/bus/*-unix-*; do
            [ -f "$f" ] && pid=$(sed -n 's/^IBUS_DAEMON_PID=//p' "$f")
        done
        [ -n "$pid" ] && ibus engine libpinyin >/dev/null 2>&1 && break
        sleep 0.2
    done
    [ -n "$pid" ] && DESKTOP_PIDS+=("$pid")
    [ "$(ibus engine 2>/dev/null)" = libpinyin ] || { DESKTOP_WHY="ibus-daemon did not start libpinyin in 10 s"; return 1; }
    export QT_IM_MODULE=ibus XMODIFIERS=@im=ibus
    sleep 1
    return 0
}

# Stops what desktop_start and the daemons started, newest first.
desktop_stop() {
    local i
    for ((i = ${#DESKTOP_PIDS[@]} - 1; i >= 0; i--)); do
        kill "${DESKTOP_PIDS[i]}" 2>/dev/null
    done
    sleep 0.3
    for ((i = ${#DESKTOP_PIDS[@]} - 1; i >= 0; i--)); do
        kill -9 "${DESKTOP_PIDS[i]}" 2>/dev/null
    done
    DESKTOP_PIDS=()
}
