#!/usr/bin/env bash
# A direct card read chosen from "&Funções de Pinpad" with the keyboard: the
# message typed for the pinpad reaches the library, and the tracks it reads
# are reported in the operator messages. The messages are copied from their
# box and pasted as the message of a second pinpad function, so the
# simulator's log shows exactly what the box held.
set -u
exe=$1
sim=$2
source "$(dirname "$0")/lib.sh"
e2e_start_display
E2E_TMP=$(mktemp -d)
export KAVEX_SIM_LOG=$E2E_TMP/calls.jsonl
export KAVEX_SIM_SCRIPT=$E2E_TMP/script.json
export QT_QPA_PLATFORM=xcb
cat >"$KAVEX_SIM_SCRIPT" <<'JSON'
{"LeCartaoDireto": [{"return": 0, "track1": "B4111^NOME^2512", "track2": "4111=2512"}],
 "EscreveMensagemPermanentePinPad": [0]}
JSON

"$exe" --dir "$E2E_TMP" --library "$sim" >"$E2E_TMP/console.log" 2>&1 &
E2E_APP=$!
win=$(e2e_wait_window "Teste CliKavex Interativo")
[ -n "$win" ] || e2e_fail "the main window did not appear: $(cat "$E2E_TMP/console.log")"
xdotool windowfocus --sync "$win" 2>/dev/null || true
sleep 0.3
xdotool key --delay 50 alt+c
e2e_wait_line "$KAVEX_SIM_LOG" '"ConfiguraIntKavexInterativo"' || e2e_fail "the library was not configured"

# Chooses the function whose button is reached from the first one with the
# given arrow keys, then answers the pinpad message prompt with $2 (keys).
choose_pinpad_function() {
    xdotool key --delay 50 alt+f
    local funcs
    funcs=$(e2e_wait_window "^Funções de Pinpad$")
    [ -n "$funcs" ] || e2e_fail "the pinpad functions window did not open"
    xdotool key --delay 50 $1 space Return
    local prompt
    prompt=$(e2e_wait_window "^Mensagem Pinpad$")
    [ -n "$prompt" ] || e2e_fail "the pinpad message prompt did not open"
    xdotool key --delay 50 $2 Return
}

# "Lê Cartão Direto" is the third of the first row.
choose_pinpad_function "Right Right" "P A S S E"
e2e_wait_line "$KAVEX_SIM_LOG" '"fn":"LeCartaoDireto","args":\["PASSE",null,null\]' ||
    e2e_fail "no direct read with the typed message: $(cat "$KAVEX_SIM_LOG")"

# The operator messages fill the lower right of the fixed-size window.
eval "$(xdotool getwindowgeometry --shell "$win")"
xdotool mousemove --sync $((X + WIDTH * 4 / 5)) $((Y + HEIGHT * 4 / 5)) click 1
xdotool key --delay 50 ctrl+a ctrl+c
# "Escreve Msg Pinpad" stands below the first function.
choose_pinpad_function "Down" "ctrl+v"
e2e_wait_line "$KAVEX_SIM_LOG" '"EscreveMensagemPermanentePinPad"' ||
    e2e_fail "the second function did not run: $(cat "$KAVEX_SIM_LOG")"
grep -qF '"fn":"EscreveMensagemPermanentePinPad","args":["Trilha1 = B4111^NOME^2512\nTrilha2 = 4111=2512"]' \
    "$KAVEX_SIM_LOG" || e2e_fail "the operator messages did not hold the tracks: $(cat "$KAVEX_SIM_LOG")"
echo "PASS: direct card read reported in the operator messages"
