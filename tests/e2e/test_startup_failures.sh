#!/usr/bin/env bash
# What the operator sees when the console cannot start properly.
set -u
exe=$1
source "$(dirname "$0")/lib.sh"

# No display at all: one clear line and a non-zero status, never a hang.
out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 20 "$exe" 2>&1)
status=$?
[ "$status" -ne 0 ] && [ "$status" -ne 124 ] || e2e_fail "no display: status $status"
[ "$(printf '%s\n' "$out" | grep -cv 'XDG_RUNTIME_DIR')" -eq 1 ] || e2e_fail "no display: expected one line, got: $out"

e2e_prepare
# A library that cannot be loaded: an error box naming it, then a non-zero exit.
"$exe" --dir "$E2E_TMP" --library "$E2E_TMP/naoexiste.so" >"$E2E_TMP/console.log" 2>&1 &
E2E_APP=$!
e2e_dismiss_error_box "no error box for a missing library"
[ "$E2E_STATUS" -ne 0 ] || e2e_fail "a missing library must end with a non-zero status"
echo "PASS: start-up failures"
