#!/usr/bin/env bash
# Without a display the program says so on one line and exits with status 1; it
# never aborts or leaves a core dump.
set -uo pipefail
program=$1
failures=0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
ulimit -c unlimited 2>/dev/null || true

arguments=()
check() {
    local what=$1; shift
    local status=0
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_RUNTIME_DIR="$work" "$@" \
        "$program" "${arguments[@]}" >"$work/out" 2>"$work/err" </dev/null || status=$?
    local lines
    lines=$(cat "$work/out" "$work/err" | wc -l)
    if [[ $status -ne 1 || $lines -ne 1 ]] || ! grep -q "no display" "$work/err" || ls core* >/dev/null 2>&1; then
        echo "FAIL ($what): status $status, expected 1; $lines lines of output, expected 1:" >&2
        cat "$work/out" "$work/err" >&2
        failures=$((failures + 1))
    fi
}

check "no display at all"
check "a display that does not exist" DISPLAY=:4095
check "a Wayland socket that does not exist" WAYLAND_DISPLAY=wayland-4095 QT_QPA_PLATFORM=wayland
# The command line is not handed to Qt, so it cannot pick a platform either.
arguments=(-platform offscreen)
check "a platform named on the command line"
[[ $failures -eq 0 ]] && echo "passed"
exit $((failures > 0))
