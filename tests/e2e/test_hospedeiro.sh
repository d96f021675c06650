#!/bin/bash
# The library's host under the real executable, no display: a run of five
# cases whose second crashes goes on to the end with its reports; a run stuck
# in a call ends within two seconds of SIGTERM with the host gone and the
# report written; no host outlives a console killed outright.
set -u
. "$(dirname "$0")/lib.sh"

CONSOLE="$1"
QUEDA="$(dirname "$CONSOLE")/tests/libkavexqueda.so"
E2E_TMP=$(mktemp -d)
trap 'rm -rf "$E2E_TMP"' EXIT
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM

python3 - "$E2E_TMP/cinco.json" <<'PY'
import json, sys
venda = {"name": "venda", "start": {"kind": "TEF", "function": 2}, "receipt": "Confirma", "expect": {"result": 0}}
cb = dict(venda, name="correspondente", start={"kind": "Corresp.Banc."})
casos = [dict(venda, name=f"venda {n}") for n in range(4)]
json.dump({"configure": {"address": "x"}, "timeout": 30, "cases": casos[:1] + [cb] + casos[1:]},
          open(sys.argv[1], "w"))
PY

# The host of console $1, once it is up (empty when none came).
hospedeiro_de() {
    for _ in $(seq 1 100); do
        pgrep -P "$1" -f -- --kavex-host && return
        sleep 0.05
    done
}

KAVEX_QUEDA_CAI=CorrespondenteBancarioKavexInterativo "$CONSOLE" --library "$QUEDA" --run "$E2E_TMP/cinco.json" \
    --report "$E2E_TMP/relatorio.xml" >"$E2E_TMP/saida" 2>"$E2E_TMP/erros"
status=$?
[ "$status" = 1 ] || e2e_fail "status $status after a crash, expected 1"
[ "$(grep -c '^ok' "$E2E_TMP/saida")" = 4 ] || e2e_fail "cases after the crash did not run: $(cat "$E2E_TMP/saida")"
grep -q '^# erro: A biblioteca terminou com o sinal SIGSEGV durante CorrespondenteBancarioKavexInterativo' "$E2E_TMP/saida" ||
    e2e_fail "the crash was not named: $(cat "$E2E_TMP/saida")"
grep -q 'kavexqueda: CorrespondenteBancarioKavexInterativo' "$E2E_TMP/erros" ||
    e2e_fail "the library's standard error did not reach the console's"
grep -q 'tests="5"' "$E2E_TMP/relatorio.xml" || e2e_fail "no JUnit report of the five cases"

for sinal in TERM KILL; do
    KAVEX_QUEDA_TRAVA=ContinuaFuncaoKavexInterativo "$CONSOLE" --library "$QUEDA" --run "$E2E_TMP/cinco.json" \
        >"$E2E_TMP/saida" 2>"$E2E_TMP/erros" &
    console=$!
    hospedeiro=$(hospedeiro_de "$console")
    [ -n "$hospedeiro" ] || e2e_fail "no host started"
    sleep 0.3
    inicio=$(date +%s%N)
    kill -"$sinal" "$console"
    wait "$console"
    decorrido=$((($(date +%s%N) - inicio) / 1000000))
    [ "$decorrido" -lt 2000 ] || e2e_fail "SIG$sinal took $decorrido ms to end the run"
    [ "$sinal" = KILL ] || grep -q 'execução interrompida' "$E2E_TMP/erros" ||
        e2e_fail "SIGTERM not reported: $(cat "$E2E_TMP/erros")"
    for _ in $(seq 1 40); do
        kill -0 "$hospedeiro" 2>/dev/null || break
        sleep 0.05
    done
    ! kill -0 "$hospedeiro" 2>/dev/null || e2e_fail "the host outlived a console ended by SIG$sinal"
done
echo "ok"
