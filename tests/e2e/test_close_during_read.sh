#!/usr/bin/env bash
# Closing the window during a direct card read started from "&Funções de
# Pinpad": "Sim" breaks the read off at once (the library answers -18), and
# the console then ends.
set -u
source "$(dirname "$0")/lib.sh"
fecha=$3
export KAVEX_SIM_DELAY_MS=4000
e2e_start_configured "$1" "$2" ""

e2e_start_direct_read
inicio=$(date +%s%N)
sleep 0.5
"$fecha" "$E2E_WIN" || e2e_fail "could not ask the window to close"
e2e_wait_message_box
xdotool key --delay 50 alt+s # "&Sim"
e2e_expect_call '"fn":"InterrompeLeCartaoDireto"' "closing did not break the read off"
e2e_expect_call '"fn":"LeCartaoDireto","args":\["P",null,null\],"ret":-18' "the read did not end with -18"
e2e_expect_exit "after the read"
decorrido=$((($(date +%s%N) - inicio) / 1000000))
[ "$decorrido" -lt 3500 ] || e2e_fail "the console ended only after $decorrido ms, not when the read was broken off"
echo "PASS: closing during a direct read breaks it off and ends the console"
