#!/usr/bin/env bash
# An operator opens "&Outras Funções", then "Transação &direta com o Kavex",
# types a function code and a two-line request with a "*", sends it and reads
# the reply listing; the library receives the packed bytes.
set -u
exe=$1
sim=$2
source "$(dirname "$0")/lib.sh"
command -v xclip >/dev/null || e2e_fail "xclip is not installed"
a40=$(printf 'a%.0s' $(seq 40))
b40=$(printf 'b%.0s' $(seq 40))
e2e_start_configured "$exe" "$sim" \
    "$(printf '{"EnviaRecebeKavexDireto": [{"reply": "%s%sccccc", "responseCode": 3}]}' "$a40" "$b40")"

# The configuration menu is empty now: the first Alt+O opens the menu.
xdotool key --delay 50 alt+o
menu=$(e2e_wait_window "^Outras Funções$")
[ -n "$menu" ] || e2e_fail "the other-transactions menu did not open"
xdotool key --delay 50 alt+d
direta=$(e2e_wait_window "^FrmTrnDirKavex$")
[ -n "$direta" ] || e2e_fail "the direct transaction window did not open"
sleep 0.3

# Network (focused), function, then on to the TX box past the header fields.
xdotool key --delay 30 Tab
xdotool type --delay 30 "12"
xdotool key --delay 30 Tab Tab Tab Tab Tab Tab Tab Tab
xdotool type --delay 30 "AB*C"
xdotool key --delay 30 Return
xdotool type --delay 30 "12"
# Past the RX box to "&Enviar".
xdotool key --delay 30 Tab Tab Return

e2e_wait_line "$KAVEX_SIM_LOG" '"EnviaRecebeKavexDireto"' || e2e_fail "nothing was sent: $(cat "$KAVEX_SIM_LOG")"
grep -Eq '"args":\[0,12,0,"AB\\u0004C\\u000012\\u0000",8,null,20000,null,30,"12345","[0-9]{8}","[0-9]{6}","Teste",0\]' \
    "$KAVEX_SIM_LOG" || e2e_fail "unexpected send: $(grep EnviaRecebe "$KAVEX_SIM_LOG")"

# The focus is back on the network field; the RX box is four fields behind it.
xdotool key --delay 30 shift+Tab shift+Tab shift+Tab shift+Tab ctrl+a ctrl+c
expected=$(printf 'Retorno Função: 85\nCódigo de Resposta: 3\nTamanho Máx Buffer: 20000\nBuffer Retorno: \n%s\n%s\nccccc' "$a40" "$b40")
listing=""
for i in $(seq 1 50); do
    listing=$(xclip -o -selection clipboard 2>/dev/null)
    [ "$listing" = "$expected" ] && break
    sleep 0.1
done
[ "$listing" = "$expected" ] || e2e_fail "unexpected listing:
$listing"

# Esc closes the window, and with it the menu.
xdotool key --delay 50 Escape
for i in $(seq 1 50); do
    xdotool search --onlyvisible --name "^FrmTrnDirKavex$" >/dev/null 2>&1 || break
    sleep 0.1
done
xdotool search --onlyvisible --name "^Outras Funções$" >/dev/null 2>&1 && e2e_fail "the menu stayed open"
echo "PASS: direct transaction with a packed request and its listing"
