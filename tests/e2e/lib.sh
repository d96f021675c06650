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

# A fresh folder for the console on a private display; the simulator logs
# its calls to $KAVEX_SIM_LOG there. Sets E2E_TMP.
e2e_prepare() {
    e2e_start_display
    E2E_TMP=$(mktemp -d)
    export KAVEX_SIM_LOG=$E2E_TMP/calls.jsonl
    export QT_QPA_PLATFORM=xcb
}

# Runs the console ($1) on the simulator ($2) in $E2E_TMP, with any further
# arguments, and waits for its main window. Sets E2E_APP and E2E_WIN.
e2e_launch_console() {
    local exe=$1 sim=$2
    shift 2
    "$exe" --dir "$E2E_TMP" --library "$sim" "$@" >"$E2E_TMP/console.log" 2>&1 &
    E2E_APP=$!
    E2E_WIN=$(e2e_wait_window "Teste CliKavex Interativo")
    [ -n "$E2E_WIN" ] || e2e_fail "the main window did not appear: $(cat "$E2E_TMP/console.log")"
    xdotool windowfocus --sync "$E2E_WIN" 2>/dev/null || true
    sleep 0.3
}

# Ends the console started last.
e2e_stop_console() {
    kill "$E2E_APP"
    wait "$E2E_APP" 2>/dev/null
    E2E_APP=
}

# Starts the console ($1) on the simulator ($2) in a fresh folder, the
# simulator answering from the JSON script $3 (none when $3 is empty: its
# own flows answer). Sets E2E_TMP, E2E_APP and E2E_WIN.
e2e_start_console() {
    e2e_prepare
    if [ -n "$3" ]; then
        export KAVEX_SIM_SCRIPT=$E2E_TMP/script.json
        printf '%s\n' "$3" >"$KAVEX_SIM_SCRIPT"
    else
        unset KAVEX_SIM_SCRIPT
    fi
    e2e_launch_console "$1" "$2"
}

# Configures the library with Alt+C.
e2e_configure() {
    xdotool key --delay 50 alt+c
    e2e_wait_line "$KAVEX_SIM_LOG" '"ConfiguraIntKavexInterativo"' || e2e_fail "the library was not configured"
}

# e2e_start_console, then e2e_configure.
e2e_start_configured() {
    e2e_start_console "$@"
    e2e_configure
}

# Looks (for at most $1 tenths of a second) for one of the console's message
# boxes and gives it the keyboard. Their title is empty, which the toolkit
# shows as the program's name. There is no window manager, so the box is
# looked for among the console's own visible windows rather than taken to be
# the active one.
e2e_find_message_box() {
    local i w nome
    for i in $(seq 1 "$1"); do
        for w in $(xdotool search --onlyvisible --pid "$E2E_APP" 2>/dev/null); do
            nome=$(xdotool getwindowname "$w" 2>/dev/null)
            if [ "$w" != "$E2E_WIN" ] && { [ -z "$nome" ] || [ "$nome" = TesteCliKavex ]; }; then
                xdotool windowfocus --sync "$w" 2>/dev/null || true
                return 0
            fi
        done
        sleep 0.1
    done
    return 1
}

# Waits (at most 10 s) for a message box; fails, naming the console's
# windows, when none comes.
e2e_wait_message_box() {
    e2e_find_message_box 100 && return 0
    local w janelas=""
    for w in $(xdotool search --onlyvisible --pid "$E2E_APP" 2>/dev/null); do
        janelas="$janelas $w[$(xdotool getwindowname "$w" 2>/dev/null)]"
    done
    e2e_fail "no message box among the console's windows:$janelas; $(cat "$KAVEX_SIM_LOG")"
}

# Fails unless the call log gets a line matching $1 (grep pattern) in time.
e2e_expect_call() {
    e2e_wait_line "$KAVEX_SIM_LOG" "$1" || e2e_fail "${2:-no call matching $1}: $(cat "$KAVEX_SIM_LOG")"
}

# Waits for the error box titled "TesteCliKavex" that the console ($E2E_APP)
# shows before ending, presses Enter in it and waits (at most 10 s) for the
# console to end; its exit status goes to E2E_STATUS.
e2e_dismiss_error_box() {
    local box
    box=$(e2e_wait_window "TesteCliKavex")
    [ -n "$box" ] || e2e_fail "${1:-no error box}"
    xdotool windowfocus --sync "$box" 2>/dev/null || true
    xdotool key --delay 50 Return
    e2e_wait_exit
    wait "$E2E_APP"
    E2E_STATUS=$?
    E2E_APP=
}

# Waits (at most 10 s) for the console ($E2E_APP) to end by itself.
e2e_wait_exit() {
    local i
    for i in $(seq 1 100); do
        kill -0 "$E2E_APP" 2>/dev/null || return 0
        sleep 0.1
    done
}

# The console ($E2E_APP) ends by itself, with status 0, within 10 s; $1 says
# after what.
e2e_expect_exit() {
    e2e_wait_exit
    kill -0 "$E2E_APP" 2>/dev/null && e2e_fail "the console did not end $1"
    wait "$E2E_APP" || e2e_fail "the console ended with status $?"
    E2E_APP=
}

# From the configured main window: "Funções de &Pinpad", "Lê Cartão Direto",
# message "P"; returns once the read has been asked for.
e2e_start_direct_read() {
    xdotool key --delay 50 alt+f
    [ -n "$(e2e_wait_window "^Funções de Pinpad$")" ] || e2e_fail "the pinpad functions window did not open"
    xdotool key --delay 50 Right Right space Return # "Lê Cartão Direto"
    [ -n "$(e2e_wait_window "^Mensagem Pinpad$")" ] || e2e_fail "the pinpad message prompt did not open"
    xdotool key --delay 50 P Return
}
