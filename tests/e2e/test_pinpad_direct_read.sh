#!/usr/bin/env bash
# A direct card read chosen from "&Funções de Pinpad" with the keyboard: the
# typed message reaches the library and the tracks read are reported in the
# operator messages. The messages are copied from their box and pasted as the
# message of a second pinpad function, so the log shows what the box held.
set -u
source "$(dirname "$0")/lib.sh"
e2e_start_configured "$1" "$2" '{"LeCartaoDireto": [{"track1": "B4111^NOME^2512", "track2": "4111=2512"}],
                                  "EscreveMensagemPermanentePinPad": [0]}'

# Picks the function reached from the first one by the arrow keys $1 and
# answers the pinpad message prompt with the keys $2.
choose_pinpad_function() {
    xdotool key --delay 50 alt+f
    [ -n "$(e2e_wait_window "^Funções de Pinpad$")" ] || e2e_fail "the pinpad functions window did not open"
    xdotool key --delay 50 $1 space Return
    [ -n "$(e2e_wait_window "^Mensagem Pinpad$")" ] || e2e_fail "the pinpad message prompt did not open"
    xdotool key --delay 50 $2 Return
}

# "Lê Cartão Direto" is the third of the first row.
choose_pinpad_function "Right Right" "P A S S E"
e2e_expect_call '"fn":"LeCartaoDireto","args":\["PASSE",null,null\]' "no direct read with the typed message"

# The operator messages fill the lower right of the fixed-size window.
eval "$(xdotool getwindowgeometry --shell "$E2E_WIN")"
xdotool mousemove --sync $((X + WIDTH * 4 / 5)) $((Y + HEIGHT * 4 / 5)) click 1
xdotool key --delay 50 ctrl+a ctrl+c
# "Escreve Msg Pinpad" stands below the first function.
choose_pinpad_function "Down" "ctrl+v"
e2e_expect_call '"fn":"EscreveMensagemPermanentePinPad","args":\["Trilha1 = B4111^NOME^2512\\nTrilha2 = 4111=2512"\]' \
    "the operator messages did not hold the tracks"
echo "PASS: direct card read reported in the operator messages"
