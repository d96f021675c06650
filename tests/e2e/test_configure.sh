#!/usr/bin/env bash
# An operator starts the console on the simulator, types the address, store
# and terminal, presses Alt+C; after a restart the address is remembered.
set -u
exe=$1
sim=$2
source "$(dirname "$0")/lib.sh"
e2e_prepare
e2e_launch_console "$exe" "$sim"
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
e2e_stop_console

# Second run: the remembered address is the first item of the list.
e2e_launch_console "$exe" "$sim"
xdotool key --delay 50 Down alt+c
e2e_wait_line "$KAVEX_SIM_LOG" '"args":\["10.20.30.40","00000000","QK000001",0\]' ||
    e2e_fail "the remembered address was not offered: $(cat "$KAVEX_SIM_LOG")"
e2e_stop_console
echo "PASS: configure and remember the address"
