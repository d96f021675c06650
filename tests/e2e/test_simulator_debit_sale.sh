#!/usr/bin/env bash
# A debit sale on the simulator's own flows (no script), typed with real keys
# from the main window to the confirmed receipt, checked in the call log.
set -u
exe=$1
sim=$2
source "$(dirname "$0")/lib.sh"
e2e_start_configured "$exe" "$sim" ""

# From the configure button: time, fiscal receipt, then the function and the value.
xdotool key --delay 50 Tab Tab Tab
xdotool type --delay 50 "2"
xdotool key --delay 50 Tab
xdotool type --delay 50 "10,00"
xdotool key --delay 50 alt+r
e2e_expect_call '"fn":"IniciaFuncaoKavexInterativo","args":\[2,"10,00","12345","[0-9]\{8\}","[0-9]\{6\}","Opx","\[\]"\],"ret":10000' \
    "the sale did not start"

menu=$(e2e_wait_window "^Menu$")
[ -n "$menu" ] || e2e_fail "the menu did not open: $(cat "$KAVEX_SIM_LOG")"
# An option that was not offered is refused, and the menu comes again.
xdotool type --delay 50 "7"
xdotool key --delay 50 Return
e2e_expect_call '"out":{"command":22,"fieldType":0,"min":0,"max":0,"buffer":"OPÇÃO INVÁLIDA"}' "the wrong option was not refused"
e2e_wait_message_box
xdotool key --delay 50 Return # "Pressione enter"
menu=$(e2e_wait_window "^Menu$")
[ -n "$menu" ] || e2e_fail "the menu did not come again"
xdotool type --delay 50 "1"
xdotool key --delay 50 Return

cupom=$(e2e_wait_window "^CupomTEF$")
[ -n "$cupom" ] || e2e_fail "no receipt screen: $(cat "$KAVEX_SIM_LOG")"
xdotool key --delay 50 Return # "&Confirma" has the focus
e2e_expect_call '"fn":"FinalizaTransacaoKavexInterativo","args":\[1,"12345","[0-9]\{8\}","[0-9]\{6\}"\],"ret":0' \
    "the sale was not confirmed"
for via in '"fieldType":121,.*VIA ESTABELECIMENTO' '"fieldType":122,.*VIA CLIENTE'; do
    grep "$via" "$KAVEX_SIM_LOG" | grep -q 'VALOR R\$ 10,00' || e2e_fail "no receipt copy $via in the log"
done
grep -q '"fieldType":153,"min":0,"max":0,"buffer":"8C3E1F2A9B7D4E60"' "$KAVEX_SIM_LOG" || e2e_fail "no PIN block"
echo "PASS: a debit sale on the simulator, confirmed"
