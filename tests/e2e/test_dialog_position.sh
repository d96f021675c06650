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
e2e_start_display
E2E_TMP=$(mktemp -d)
export KAVEX_SIM_LOG=$E2E_TMP/calls.jsonl
export QT_QPA_PLATFORM=xcb
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

"$exe" --dir "$E2E_TMP" --library "$sim" >"$E2E_TMP/console.log" 2>&1 &
E2E_APP=$!
E2E_WIN=$(e2e_wait_window "Teste CliKavex Interativo")
[ -n "$E2E_WIN" ] || e2e_fail "the main window did not appear: $(cat "$E2E_TMP/console.log")"
kill -0 "$wm" 2>/dev/null || e2e_fail "twm did not start: $(cat "$E2E_TMP/twm.log")"
xwininfo -tree -id "$E2E_WIN" | grep -q 'Parent window id: .*(the root window)' &&
    e2e_fail "the window manager did not frame the main window"
# The keyboard follows the pointer under this window manager.
xdotool mousemove --window "$E2E_WIN" 20 60
xdotool windowfocus --sync "$E2E_WIN" 2>/dev/null || true
sleep 0.3
e2e_configure

# Opens the other-functions menu, prints where it is and closes it.
posicao_do_menu() {
    local menu
    xdotool mousemove --window "$E2E_WIN" 20 60
    xdotool windowfocus --sync "$E2E_WIN" 2>/dev/null || true
    xdotool key --delay 50 alt+o
    menu=$(e2e_wait_window "^Outras Funções$")
    [ -n "$menu" ] || e2e_fail "the other-functions menu did not open"
    sleep 0.5
    xdotool getwindowgeometry "$menu" | sed -n 's/^ *Position: \([0-9-]*\),\([0-9-]*\).*/\1 \2/p'
    xdotool mousemove --window "$menu" 5 5
    xdotool windowfocus --sync "$menu" 2>/dev/null || true
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
