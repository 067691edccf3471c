#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Typing with real input methods: for fcitx5 and for ibus (pinyin each), the real wr-host
# window on a private desktop is driven with xdotool as a doctor would. In the findings the
# doctor types "ganzang" and leaves the word composing, then saves (Ctrl+S, the 保存 button),
# locks the screen and unlocks it, locks the report, cancels a word with Esc, and closes the
# window answering 保存. After each step the findings are read from the database: the word
# must be there exactly as many times as it was committed, never doubled, never the
# cancelled one.
# Usage: run-ime-tests.sh BINDIR [fcitx5|ibus ...]. Exit 0 passed, 1 failed, 77 skipped
# (every input method that was asked for could not be started here; the reason is printed).
set -u
here=$(cd "$(dirname "$0")" && pwd)
bindir=$(cd "${1:?usage: run-ime-tests.sh BINDIR [fcitx5|ibus ...]}" && pwd)
shift
methods=("$@")
[ ${#methods[@]} -gt 0 ] || methods=(fcitx5 ibus)
. "$here/ime-desktop.sh"

# The demo report typed into (书写中), whose findings hold none of the words typed here.
readonly ruid=E63EE575-B118-559C-8F0F-FB21FC71CD20
readonly password=demo1234
# Where the tool bar's 保存 button is in the window at the desktop's 1600x1000 (the window
# opens maximized on a fresh home). A miss shows as a step that saved nothing.
readonly save_button_x=259 save_button_y=43

failures=0 ran=0 skipped=()
host_pid=

fail() { printf 'FAIL [%s] %s\n' "$im" "$*"; failures=$((failures + 1)); }

findings() { sqlite3 "$db" "select SuoJian from Report where ruid='$ruid'"; }

count_of() { # count_of TEXT WORD
    python3 -c 'import sys; print(sys.argv[1].count(sys.argv[2]))' "$1" "$2"
}

tail_of() { python3 -c 'import sys; print(sys.argv[1].rstrip()[-40:])' "$1"; }

saves() { grep -c '报告已保存' "$log" 2>/dev/null; }

# wait_for COMMAND...: up to 10 s for COMMAND to succeed.
wait_for() {
    local i
    for i in $(seq 1 50); do
        "$@" && return 0
        sleep 0.2
    done
    return 1
}
saved_more_than() { [ "$(saves)" -gt "$1" ]; }
host_gone() { ! kill -0 "$host_pid" 2>/dev/null; }

keys() { xdotool key --delay 120 "$@"; sleep 0.6; }
compose() { xdotool type --delay 150 ganzang; sleep 0.8; }

# check STEP N: the findings hold the committed word N times and no other form of it.
check() {
    local step=$1 want=$2 text n other
    text=$(findings)
    n=$(count_of "$text" "$word")
    if [ "$n" != "$want" ]; then
        fail "$step: the findings hold \"$word\" $n times, expected $want; they end in: $(tail_of "$text")"
    else
        printf 'ok   [%s] %s: "%s" %s times\n' "$im" "$step" "$word" "$n"
    fi
    for other in "${others[@]}"; do
        [ "$(count_of "$text" "$other")" = 0 ] || fail "$step: the findings hold \"$other\""
    done
}

# save_with STEP KEYS...: runs the keys and waits for the save the last of them makes.
save_step() {
    local step=$1 before
    shift
    before=$(saves)
    "$@"
    wait_for saved_more_than "$before" || fail "$step: nothing was saved (status: $(grep '\[wr-host\]' "$log" | tail -1 | cut -c 25-))"
}

run_method() {
    im=$1
    local root
    root=$(mktemp -d "${TMPDIR:-/tmp}/wr-ime-$im.XXXXXX")
    if ! desktop_start "$root" || ! "desktop_$im"; then
        printf 'SKIP [%s] %s\n' "$im" "$DESKTOP_WHY"
        skipped+=("$im")
        desktop_stop
        rm -rf "$root"
        return
    fi
    ran=$((ran + 1))
    case $im in
        fcitx5) word="gan zang"; others=("ganzang" "肝脏") ;;  # fcitx5 commits the letters shown
        ibus) word="肝脏"; others=("gan zang" "ganzang") ;;     # libpinyin commits its candidate
    esac
    db=$HOME/.local/share/WriteReport/demo.sqlite
    log=$root/host.log
    QT_QPA_PLATFORM=xcb LANG=C.UTF-8 "$bindir/wr-host" --log "$log" --open "$ruid" >"$root/host.out" 2>&1 &
    host_pid=$!
    local win
    win=$(xdotool search --sync --onlyvisible --name '报告编辑' 2>/dev/null | head -1)
    if [ -z "$win" ] || ! wait_for grep -q '已打开报告' "$log"; then
        fail "the window did not open: $(tail -3 "$root/host.out")"
    else
        xdotool windowactivate --sync "$win"
        sleep 0.5
        [ "$(count_of "$(findings)" "$word")" = 0 ] || fail "the demo findings already hold \"$word\""

        keys ctrl+e ctrl+End
        compose
        save_step "Ctrl+S" keys ctrl+s
        check "Ctrl+S" 1

        compose
        save_step "the 保存 button" xdotool mousemove --window "$win" $save_button_x $save_button_y click 1
        sleep 0.5
        check "the 保存 button" 2

        compose
        keys ctrl+shift+l
        xdotool type --delay 80 "$password"
        keys Return
        save_step "Ctrl+Shift+L, unlock" keys ctrl+s
        check "Ctrl+Shift+L, unlock, Ctrl+S" 3

        compose
        keys ctrl+l
        save_step "Ctrl+L" keys ctrl+s
        check "Ctrl+L, Ctrl+S" 4

        keys ctrl+e ctrl+End
        compose
        keys Escape ctrl+l ctrl+e ctrl+End
        compose
        keys Escape
        save_step "Esc" keys ctrl+s
        check "Esc, Ctrl+L, Ctrl+E, Esc, Ctrl+S" 4

        compose
        keys alt+F4                  # openbox closes the window: the save question
        sleep 1
        keys Return                  # 保存, its default
        wait_for host_gone || fail "closing with 保存: the window is still open"
        check "closing, 保存" 5
        local drafts
        drafts=$(find "$HOME/.local/share/WriteReport/drafts" -name '*.draft' -not -path '*/backup/*' 2>/dev/null)
        [ -z "$drafts" ] || fail "a draft was left behind: $drafts"
    fi
    if kill -0 "$host_pid" 2>/dev/null; then
        kill "$host_pid"
        wait "$host_pid" 2>/dev/null
    fi
    desktop_stop
    if [ "$failures" = 0 ]; then rm -rf "$root"; else echo "kept for inspection: $root"; fi
}

command -v sqlite3 >/dev/null || { echo "SKIP sqlite3 is not installed"; exit 77; }
for m in "${methods[@]}"; do
    run_method "$m"
done
[ "$failures" = 0 ] || exit 1
[ "$ran" -gt 0 ] || exit 77
[ ${#skipped[@]} = 0 ] || echo "not run here: ${skipped[*]}"
exit 0
