#!/usr/bin/env bash
# Under a window manager, which frames the windows, a window opened a second
# and a third time opens where it was first shown. The private X server alone
# frames nothing, so a window placed from its framed geometry when shown
# again passes there: this test starts a window manager of its own.
set -u
exe=$1
sim=$2
source "$(dirname "$0")/lib.sh"
command -v twm >/dev/null || e2e_fail "twm is not installed"
command -v xwininfo >/dev/null || e2e_fail "xwininfo is not installed"
e2e_prepare
unset KAVEX_SIM_SCRIPT
trap '[ -n "${wm:-}" ] && kill "$wm" 2>/dev/null; e2e_cleanup' EXIT

# Windows go where the program puts them; the window manager would otherwise
# wait for a click to place them. A wide border makes a window placed from its
# framed geometry land well outside the tolerance. The server has only its
# built-in font.
printf 'RandomPlacement\nUsePPosition "on"\nNoGrabServer\nBorderWidth 10\n' >"$E2E_TMP/twmrc"
for f in Title Resize Menu Icon IconManager; do echo "${f}Font \"fixed\"" >>"$E2E_TMP/twmrc"; done
LC_ALL=C twm -f "$E2E_TMP/twmrc" >"$E2E_TMP/twm.log" 2>&1 &
wm=$!

# Waits (at most 5 s) until the window manager has framed window $1, named $2.
espera_moldura() {
    local i
    for i in $(seq 1 50); do
        xwininfo -tree -id "$1" 2>/dev/null | grep -q 'Parent window id: .*(the root window)' || return 0
        sleep 0.1
    done
    e2e_fail "the window manager did not frame $2: $(cat "$E2E_TMP/twm.log")"
}

# Gives window $1, named $2, the keyboard, which follows the pointer under
# this window manager; waits (at most 5 s) until it has it.
da_teclado() {
    local i
    xdotool mousemove --window "$1" 5 5
    for i in $(seq 1 50); do
        xdotool windowfocus "$1" 2>/dev/null
        [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ] && return 0
        sleep 0.1
    done
    e2e_fail "$2 did not get the keyboard"
}

e2e_launch_console "$exe" "$sim"
espera_moldura "$E2E_WIN" "the main window"
da_teclado "$E2E_WIN" "the main window"
e2e_configure

# Opens the other-functions menu, prints where it is and closes it.
posicao_do_menu() {
    local menu i
    da_teclado "$E2E_WIN" "the main window"
    xdotool key --delay 50 alt+o
    menu=$(e2e_wait_window "^Outras Funções$")
    [ -n "$menu" ] || e2e_fail "the other-functions menu did not open"
    espera_moldura "$menu" "the other-functions menu"
    xdotool getwindowgeometry "$menu" | sed -n 's/^ *Position: \([0-9-]*\),\([0-9-]*\).*/\1 \2/p'
    da_teclado "$menu" "the other-functions menu"
    xdotool key --delay 50 alt+e
    for i in $(seq 1 50); do
        xdotool search --onlyvisible --name "^Outras Funções$" >/dev/null 2>&1 || return 0
        sleep 0.1
    done
    e2e_fail "the other-functions menu did not close"
}

read -r x0 y0 <<<"$(posicao_do_menu)"
[ -n "${y0:-}" ] || e2e_fail "no position for the first showing"
for vez in 2 3; do
    read -r x y <<<"$(posicao_do_menu)"
    [ -n "${y:-}" ] || e2e_fail "no position for showing $vez"
    dx=$((x - x0)) dy=$((y - y0))
    [ "${dx#-}" -le 2 ] && [ "${dy#-}" -le 2 ] ||
        e2e_fail "showing $vez opened at $x,$y, the first at $x0,$y0"
done
echo "PASS: a framed window opens again where it was first shown"
