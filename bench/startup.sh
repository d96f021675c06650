#!/usr/bin/env bash
# Start-up time and peak memory of the console against a bare Qt window, on a
# private X server, side by side: N runs of each, interleaved; prints the
# medians and the ratios.   bench/startup.sh [BUILD_DIR] [N]
set -euo pipefail
BUILD=$(cd "${1:-$(dirname "$0")/../build}" && pwd)
N=${2:-21}
ESPERA=$BUILD/bench/startup/bench_esperajanela
SIMPLES=$BUILD/bench/startup/bench_janela_simples
CONSOLE=$BUILD/TesteCliKavex
WORK=$(mktemp -d)
# A private runtime folder, as a desktop session has; without one Qt warns
# on every start.
export XDG_RUNTIME_DIR=$WORK/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
trap 'kill $XVFB 2>/dev/null || true; rm -rf "$WORK"' EXIT

# Xvfb picks a free display itself and writes its number.
Xvfb -displayfd 3 -noreset -screen 0 1280x1024x24 -nolisten tcp 3>"$WORK/display" >/dev/null 2>&1 &
XVFB=$!
for _ in $(seq 200); do [ -s "$WORK/display" ] && break; sleep 0.1; done
[ -s "$WORK/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=:$(head -1 "$WORK/display")

# One run of each to warm the file cache.
"$ESPERA" "$SIMPLES" >/dev/null
"$ESPERA" "$CONSOLE" --dir "$WORK" >/dev/null
for _ in $(seq "$N"); do
    "$ESPERA" "$SIMPLES" >>"$WORK/simples"
    "$ESPERA" "$CONSOLE" --dir "$WORK" >>"$WORK/console"
done

median() { sort -n | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }
ms_s=$(cut -d' ' -f1 "$WORK/simples" | median)
ms_c=$(cut -d' ' -f1 "$WORK/console" | median)
kb_s=$(cut -d' ' -f2 "$WORK/simples" | median)
kb_c=$(cut -d' ' -f2 "$WORK/console" | median)
cpu_s=$(cut -d' ' -f3 "$WORK/simples" | median)
cpu_c=$(cut -d' ' -f3 "$WORK/console" | median)
printf 'bare window:  %8.1f ms  %8d KiB peak  %8.1f ms CPU\n' "$ms_s" "$kb_s" "$cpu_s"
printf 'console:      %8.1f ms  %8d KiB peak  %8.1f ms CPU\n' "$ms_c" "$kb_c" "$cpu_c"
awk -v a="$ms_c" -v b="$ms_s" -v c="$kb_c" -v d="$kb_s" -v e="$cpu_c" -v f="$cpu_s" \
    'BEGIN {printf "ratio:        %8.2f x time  %6.2f x memory  %6.2f x CPU   (%d runs each)\n", a/b, c/d, e/f, '"$N"'}'
