#!/usr/bin/env bash
# A slow library leaves the window alive. During a direct card read the
# console serves the clipboard at once (a frozen one could not) and shows
# "Interrompe Lê Cartão Direto", whose "Cancela &Pinpad" breaks the read off.
# Closing the window during a sale asks first, during a dialog once it has
# closed: "No" changes nothing; "Yes" ends the sale as "&Encerra" would, and
# then the program.
set -u
source "$(dirname "$0")/lib.sh"
fecha=$3
export KAVEX_SIM_DELAY_MS=4000
e2e_start_console "$1" "$2" ""

# Half a second for the console to hand its clipboard over, which it can only
# do while its event loop runs.
clipboard_answers() {
    [ "$(timeout 0.5 xclip -o -selection clipboard 2>/dev/null)" = localhost ]
}
# The address box has the focus at start: its text is the probe.
xdotool key --delay 50 ctrl+a ctrl+c
clipboard_answers || e2e_fail "the address was not copied before the test"
e2e_configure

e2e_start_direct_read
inicio=$(date +%s%N)
sleep 0.5
clipboard_answers || e2e_fail "the window did not answer within 500 ms during the direct read"
# A mnemonic presses only a button that is shown: the panel's. With no
# window manager the keyboard goes back to the window by hand.
xdotool windowfocus --sync "$E2E_WIN"
xdotool key alt+p
e2e_expect_call '"fn":"LeCartaoDireto","args":\["P",null,null\],"ret":-18' "the read was not broken off"
e2e_expect_call '"fn":"InterrompeLeCartaoDireto","args":\[\],"ret":0'
decorrido=$((($(date +%s%N) - inicio) / 1000000))
[ "$decorrido" -lt 3000 ] || e2e_fail "the read ended only after $decorrido ms, not when it was broken off"

encerra='"fn":"ContinuaFuncaoKavexInterativo","args":\[.*,-1\]'
# Asks the window to close and waits for the question.
pede_fechamento() {
    "$fecha" "$E2E_WIN" || e2e_fail "could not ask the window to close"
    e2e_wait_message_box
}

# A sale chosen from the library's own menu of functions (function 0): debit,
# then cash. A close asked for while the first menu is open is asked once
# the menu has closed.
xdotool windowfocus --sync "$E2E_WIN"
xdotool key --delay 50 alt+r
for opcao in 2 1; do
    menu=$(e2e_wait_window "^Menu$")
    [ -n "$menu" ] || e2e_fail "the menu did not open: $(cat "$KAVEX_SIM_LOG")"
    if [ "$opcao" = 2 ]; then
        "$fecha" "$E2E_WIN" || e2e_fail "could not ask the window to close"
        e2e_find_message_box 5 && e2e_fail "the close was asked over the menu"
        xdotool windowfocus --sync "$menu"
    fi
    xdotool type --delay 50 "$opcao"
    xdotool key --delay 50 Return
    if [ "$opcao" = 2 ]; then
        e2e_wait_message_box
        xdotool key --delay 50 alt+n # "&Não"
    fi
    e2e_expect_call "\"args\":\[\"$opcao\",20001,0\]" "option $opcao did not reach the library"
done
# The pinpad now reads the card, slowly, and no dialog is open.
e2e_expect_call '"out":{"command":23,' "the pinpad did not start reading"
pede_fechamento
xdotool key --delay 50 alt+n # "&Não"
sleep 0.5
kill -0 "$E2E_APP" 2>/dev/null || e2e_fail "the console ended although the operator said No"
clipboard_answers || e2e_fail "the window did not answer after No"
grep -q "$encerra" "$KAVEX_SIM_LOG" && e2e_fail "No ended the sale: $(cat "$KAVEX_SIM_LOG")"

pede_fechamento
xdotool key --delay 50 alt+s # "&Sim"
e2e_expect_call "$encerra,\"ret\":-7" "the sale was not ended with -1"
e2e_expect_exit "after the sale"
echo "PASS: a live console under a slow library: direct read broken off, closing asked and honoured"
