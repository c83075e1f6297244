#!/bin/sh
# Starts the real program under Xvfb and drives it with real X key events:
# F12 brings up the "Remove all items?" question, Escape answers it, Ctrl+Q
# closes the window and the program exits 0. Needs no root rights.
set -u
program=$1
for tool in xvfb-run xdotool; do
    command -v "$tool" >/dev/null 2>&1 || { echo "$tool is missing"; exit 77; }
done
export XDG_RUNTIME_DIR="$HOME/runtime"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

xvfb-run -a -s "-screen 0 1280x1024x24" sh -eu -c '
wait_for() { # name: window id of the first window with that exact title
    for _ in $(seq 100); do
        id=$(xdotool search --name "^$1\$" 2>/dev/null | head -n 1 || true)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    return 1
}
"$0" & pid=$!
main=$(wait_for "Varnolet v1.0.65") || { echo "the window did not appear"; kill $pid; exit 1; }
xdotool windowfocus --sync "$main"
xdotool key F12
box=$(wait_for "Question") || { echo "F12 showed no question"; kill $pid; exit 1; }
xdotool windowfocus --sync "$box"
xdotool key Escape
sleep 0.5
xdotool windowfocus --sync "$main"
xdotool key ctrl+q
for _ in $(seq 100); do
    kill -0 $pid 2>/dev/null || break
    sleep 0.1
done
if kill -0 $pid 2>/dev/null; then echo "Ctrl+Q did not close the window"; kill $pid; exit 1; fi
wait $pid
' "$program"
