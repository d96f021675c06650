#!/usr/bin/env bash
# A bill paid on the simulator's own flows (no script): the typed line with
# one wrong digit is refused by the bar-code window's check, then the right
# one is accepted and the payment confirmed.
set -u
exe=$1
sim=$2
source "$(dirname "$0")/lib.sh"
certa=00190000090120711300009000206186538600000004000
errada=00190000090127011300009000206186538600000004000
e2e_start_configured "$exe" "$sim" ""

# Function 310, correspondent banking.
xdotool key --delay 50 Tab Tab Tab
xdotool type --delay 50 "310"
xdotool key --delay 50 alt+r
menu=$(e2e_wait_window "^Menu$")
[ -n "$menu" ] || e2e_fail "the services menu did not open: $(cat "$KAVEX_SIM_LOG")"
xdotool type --delay 50 "1"
xdotool key --delay 50 Return

codigo=$(e2e_wait_window "^Código de Barras$")
[ -n "$codigo" ] || e2e_fail "the bar-code window did not open: $(cat "$KAVEX_SIM_LOG")"
xdotool type --delay 30 "$errada"
xdotool key --delay 50 Return
e2e_expect_call "\"fn\":\"ValidaCampoCodigoEmBarras\",\"args\":\[\"$errada\",null\],\"ret\":2" "the wrong digit was not refused"
xdotool key --delay 50 ctrl+a BackSpace
xdotool type --delay 30 "$certa"
xdotool key --delay 50 Return
e2e_expect_call "\"fn\":\"ValidaCampoCodigoEmBarras\",\"args\":\[\"$certa\",null\],\"ret\":0" "the right line was not accepted"
e2e_expect_call "\"fn\":\"ContinuaFuncaoKavexInterativo\",\"args\":\[\"0:$certa\"" "the line did not reach the library"
e2e_expect_call '"buffer":"CONFIRMA O PAGAMENTO DE R$ 40,00?"' "no confirmation question"
e2e_wait_message_box
xdotool key --delay 50 Return # Yes
cupom=$(e2e_wait_window "^CupomTEF$")
[ -n "$cupom" ] || e2e_fail "no receipt screen: $(cat "$KAVEX_SIM_LOG")"
xdotool key --delay 50 Return
e2e_expect_call '"fn":"FinalizaTransacaoKavexInterativo","args":\[1,.*"ret":0' "the payment was not confirmed"
echo "PASS: a bill refused with a wrong digit, then paid"
