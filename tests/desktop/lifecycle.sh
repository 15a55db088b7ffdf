#!/usr/bin/env bash
# On a real X server with a window manager: every command opens its window by its
# access keys, a frame close hides a window that its command shows again, and
# closing Form1 ends the run with status 0 while the others are shown.
set -euo pipefail
program=$1
. "$(dirname "$0")/session.sh"
start_desktop

"$program" 2>"$session_dir/stderr" &
app=$!
session_pids+=($app)

window_named Form1 >/dev/null || fail "Form1 did not appear"
keys_in Form1 alt+c o
window_named foo >/dev/null || fail "Alt+C, O did not show foo"
keys_in Form1 alt+c c
window_named 'Check this out' >/dev/null || fail "Alt+C, C did not show check"
keys_in Form1 alt+d i
window_named Form2 >/dev/null || fail "Alt+D, I did not show quest"

for title in foo 'Check this out' Form2; do
    size=$(xwininfo -id "$(window_named "$title")" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}')
    [[ $size == 312x216 ]] || fail "\"$title\" has a client area of $size, expected 312x216"
done

wmctrl -c foo
wait_until '! xdotool search --onlyvisible --name "^foo\$"' || fail "closing foo's frame did not hide it"
kill -0 "$app" 2>/dev/null || fail "closing foo ended the program"
keys_in Form1 alt+c o
window_named foo >/dev/null || fail "foo did not come back after its frame was closed"

wmctrl -c Form1
wait_until "! kill -0 $app" 10 || fail "closing Form1 did not end the run"
status=0
wait "$app" || status=$?
[[ $status -eq 0 ]] || fail "the program ended with status $status, expected 0: $(cat "$session_dir/stderr")"
echo "passed"
