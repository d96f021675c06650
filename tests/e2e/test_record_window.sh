#!/usr/bin/env bash
# --record with the console's windows: the calls the windows make are
# recorded as they happen; a record file that cannot be written is named in
# an error box and the console ends with status 2.
set -u
exe=$1
sim=$2
source "$(dirname "$0")/lib.sh"
e2e_prepare
unset KAVEX_SIM_SCRIPT KAVEX_SIM_LOG

e2e_launch_console "$exe" "$sim" --record "$E2E_TMP/sessao.jsonl"
xdotool key --delay 50 alt+c
e2e_wait_line "$E2E_TMP/sessao.jsonl" '"fn":"ConfiguraIntKavexInterativo"' ||
    e2e_fail "the configuration was not recorded: $(cat "$E2E_TMP/sessao.jsonl" "$E2E_TMP/console.log")"
grep -q '"args":\["localhost","[0-9]*","[A-Z0-9]*",0\],.*"ms":[0-9.e-]*,"ret":0' "$E2E_TMP/sessao.jsonl" ||
    e2e_fail "unexpected record: $(cat "$E2E_TMP/sessao.jsonl")"
e2e_stop_console

"$exe" --dir "$E2E_TMP" --library "$sim" --record "$E2E_TMP/nao/existe.jsonl" >"$E2E_TMP/console.log" 2>&1 &
E2E_APP=$!
e2e_dismiss_error_box "no error box for a record file that cannot be written"
[ "$E2E_STATUS" -eq 2 ] || e2e_fail "status $E2E_STATUS for a record file that cannot be written"
grep -qF "Não foi possível gravar em $E2E_TMP/nao/existe.jsonl" "$E2E_TMP/console.log" ||
    e2e_fail "message: $(cat "$E2E_TMP/console.log")"
echo "PASS: recording with the windows"
