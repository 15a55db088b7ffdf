# A private desktop for one test: Xvfb on a free display, a D-Bus session bus and
# openbox. Source it, call start_desktop, and every process it started is stopped,
# by its own id, when the test exits.

session_pids=()
session_dir=$(mktemp -d)

stop_desktop() {
    local pid
    for ((i = ${#session_pids[@]} - 1; i >= 0; i--)); do
        pid=${session_pids[i]}
        kill "$pid" 2>/dev/null || true
    done
    for pid in "${session_pids[@]}"; do
        for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
        kill -9 "$pid" 2>/dev/null || true
    done
    rm -rf "$session_dir"
}
trap stop_desktop EXIT

fail() {
    echo "FAIL: $*" >&2
    echo "Windows shown at the time:" >&2
    for id in $(xdotool search --onlyvisible --name '.' 2>/dev/null); do
        echo "  \"$(xdotool getwindowname "$id")\" $(xwininfo -id "$id" | awk '/Width|Height/ {printf "%s%s ", $1, $2}')" >&2
    done
    exit 1
}

# Waits up to $2 seconds (default 10) for a command to succeed.
wait_until() {
    local seconds=${2:-10}
    for _ in $(seq $((seconds * 10))); do
        eval "$1" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    return 1
}

start_desktop() {
    export XDG_RUNTIME_DIR=$session_dir/runtime
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$session_dir/display" >/dev/null 2>&1 &
    session_pids+=($!)
    wait_until '[ -s "$session_dir/display" ]' || fail "Xvfb did not start"
    export DISPLAY=:$(head -n 1 "$session_dir/display")

    dbus-daemon --session --fork --address="unix:path=$session_dir/bus" \
        --print-pid=4 4>"$session_dir/bus.pid" >/dev/null
    wait_until '[ -s "$session_dir/bus.pid" ]' || fail "the D-Bus session bus did not start"
    session_pids+=($(cat "$session_dir/bus.pid"))
    export DBUS_SESSION_BUS_ADDRESS=unix:path=$session_dir/bus

    openbox --sm-disable >/dev/null 2>&1 &
    session_pids+=($!)
    wait_until 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' || fail "openbox did not start"
}

# The id of the visible window with exactly this title, waiting for it to appear.
window_named() {
    local id
    wait_until "xdotool search --onlyvisible --name '^$1\$'" || return 1
    id=$(xdotool search --onlyvisible --name "^$1\$" | head -n 1)
    echo "$id"
}

# Presses keys in the window with this title, once the window manager has given it the focus.
keys_in() {
    local id
    id=$(window_named "$1") || fail "no window \"$1\" to type into"
    xdotool windowactivate --sync "$id" >/dev/null 2>&1 || fail "could not activate \"$1\""
    shift
    xdotool key --delay 80 "$@"
}
