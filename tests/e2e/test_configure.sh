#!/usr/bin/env bash
# An operator starts the console on the simulator, types the address, store
# and terminal, presses Alt+C; after a restart the address is remembered.
set -u
exe=$1
sim=$2
source "$(dirname "$0")/lib.sh"
e2e_start_display
E2E_TMP=$(mktemp -d)
export KAVEX_SIM_LOG=$E2E_TMP/calls.jsonl
export QT_QPA_PLATFORM=xcb

start_console() {
    "$exe" --dir "$E2E_TMP" --library "$sim" >"$E2E_TMP/console.log" 2>&1 &
    E2E_APP=$!
    win=$(e2e_wait_window "Teste CliKavex Interativo")
    [ -n "$win" ] || e2e_fail "the main window did not appear: $(cat "$E2E_TMP/console.log")"
    xdotool windowfocus --sync "$win" 2>/dev/null || true
    sleep 0.3
}

stop_console() {
    kill "$E2E_APP"
    wait "$E2E_APP" 2>/dev/null
    E2E_APP=
}

start_console
# The address box has the focus when the window opens.
xdotool key --delay 30 ctrl+a
xdotool type --delay 30 "10.20.30.40"
xdotool key --delay 30 Tab ctrl+a
xdotool type --delay 30 "11112222"
xdotool key --delay 30 Tab ctrl+a
xdotool type --delay 30 "TERM0001"
xdotool key --delay 30 alt+c
e2e_wait_line "$KAVEX_SIM_LOG" '"ConfiguraIntKavexInterativo"' || e2e_fail "the library was not configured"
grep -q '"args":\["10.20.30.40","11112222","TERM0001",0\],"ret":0' "$KAVEX_SIM_LOG" ||
    e2e_fail "unexpected configuration call: $(cat "$KAVEX_SIM_LOG")"
grep -q '^IPs=10.20.30.40;' "$E2E_TMP/Config.ini" || e2e_fail "address not stored: $(cat "$E2E_TMP/Config.ini")"
stop_console

# Second run: the remembered address is the first item of the list.
start_console
xdotool key --delay 50 Down alt+c
e2e_wait_line "$KAVEX_SIM_LOG" '"args":\["10.20.30.40","00000000","QK000001",0\]' ||
    e2e_fail "the remembered address was not offered: $(cat "$KAVEX_SIM_LOG")"
stop_console
echo "PASS: configure and remember the address"
