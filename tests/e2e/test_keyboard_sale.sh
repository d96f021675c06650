#!/usr/bin/env bash
# A whole debit sale from the keyboard: function 2, a value, Enter; the
# library's menu and field answered in their windows; the receipt screen
# confirmed with Enter; the window then ready for the next function.
set -u
source "$(dirname "$0")/lib.sh"
e2e_start_configured "$1" "$2" '{"IniciaFuncaoKavexInterativo": [10000, -5],
 "ContinuaFuncaoKavexInterativo": [
   {"command": 21, "min": 1, "max": 1, "text": "1:A Vista;2:Parcelado;"},
   {"command": 30, "min": 4, "max": 4, "text": "Ultimos 4 digitos do cartao"},
   {"command": 0, "fieldType": 121, "text": "COMPROVANTE DE VENDA\nVALOR 10,00"},
   {"return": 0}]}'

# From "Re&configura" Tab reaches the time, the fiscal receipt, the function
# and the value; Enter in a box presses "&Realiza Transação".
xdotool key --delay 50 Tab Tab Tab
xdotool type --delay 50 "2"
xdotool key --delay 50 Tab
xdotool type --delay 50 "10,00"
xdotool key --delay 50 Return
e2e_expect_call '"fn":"IniciaFuncaoKavexInterativo","args":\[2,"10,00","12345",' "the sale did not start as typed"

menu=$(e2e_wait_window "^Menu$")
[ -n "$menu" ] || e2e_fail "the menu did not open: $(cat "$KAVEX_SIM_LOG")"
xdotool type --delay 50 "1"
xdotool key --delay 50 Return
e2e_expect_call '"fn":"ContinuaFuncaoKavexInterativo","args":\["1",20001,0\]' "the menu's answer did not go out"
# The field window has no caption: it is the window that takes the focus next.
for i in $(seq 1 100); do
    focused=$(xdotool getwindowfocus 2>/dev/null)
    [ -n "$focused" ] && [ "$focused" != "$menu" ] && [ "$focused" != "$E2E_WIN" ] && break
    sleep 0.1
done
xdotool type --delay 50 "4321"
xdotool key --delay 50 Return
e2e_expect_call '"fn":"ContinuaFuncaoKavexInterativo","args":\["4321",20001,0\]' "the field's answer did not go out"

[ -n "$(e2e_wait_window "^CupomTEF$")" ] || e2e_fail "the receipt screen did not open: $(cat "$KAVEX_SIM_LOG")"
xdotool key --delay 50 Return
e2e_expect_call '"fn":"FinalizaTransacaoKavexInterativo","args":\[1,"12345",' "the sale was not confirmed"

# Ready for the next function: back in the main window, Enter starts another.
sleep 0.5
xdotool windowfocus --sync "$E2E_WIN" 2>/dev/null || true
xdotool key --delay 50 Return
e2e_expect_call '"fn":"IniciaFuncaoKavexInterativo".*"ret":-5' "the window was not ready for the next function"
echo "PASS: a whole sale from the keyboard"
