# Helpers for the end-to-end tests: a private X server, waiting with limits.

e2e_fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Starts Xvfb on a free display and exports DISPLAY; stopped on exit.
e2e_start_display() {
    command -v Xvfb >/dev/null || e2e_fail "Xvfb is not installed"
    command -v xdotool >/dev/null || e2e_fail "xdotool is not installed"
    local fdfile
    fdfile=$(mktemp)
    Xvfb -displayfd 1 -screen 0 1280x1024x24 -nolisten tcp >"$fdfile" 2>/dev/null &
    E2E_XVFB=$!
    local i
    for i in $(seq 1 100); do
        [ -s "$fdfile" ] && break
        sleep 0.1
    done
    [ -s "$fdfile" ] || e2e_fail "Xvfb did not start"
    export DISPLAY=":$(head -n1 "$fdfile")"
    rm -f "$fdfile"
    trap e2e_cleanup EXIT
}

e2e_cleanup() {
    [ -n "${E2E_APP:-}" ] && kill "$E2E_APP" 2>/dev/null
    [ -n "${E2E_XVFB:-}" ] && kill "$E2E_XVFB" 2>/dev/null
    [ -n "${E2E_TMP:-}" ] && rm -rf "$E2E_TMP"
    return 0
}

# Waits (at most 20 s) for a visible window whose title matches $1; prints its id.
e2e_wait_window() {
    timeout 20 xdotool search --sync --onlyvisible --name "$1" 2>/dev/null | head -n1
}

# Waits (at most 10 s) until file $1 has a line matching $2.
e2e_wait_line() {
    local i
    for i in $(seq 1 100); do
        grep -q -- "$2" "$1" 2>/dev/null && return 0
        sleep 0.1
    done
    return 1
}
