#!/usr/bin/env bash
# tavro --headless --watch: a changed script restarts the game, which then behaves as the new
# script says; a change that does not check keeps the last good run going and names the error
# at FILE:LINE on standard error; the next good change restarts it. Each restart is timed
# (from the save to the first frame of the new run writing its number). SIGTERM ends it cleanly.
# Usage: watch_game.sh TAVRO WORK_DIR
set -u
tavro=$1
work=$2
rm -rf "$work" && mkdir -p "$work/game" && cd "$work/game" || exit 1
printf 'SCRIPT={main.scr};\n' > boot
write_script() { printf 'v=%s;\n%ssave("out.txt",v,0);\n' "$1" "${2:-}" > main.scr.new && mv main.scr.new main.scr; }
write_script 1
"$tavro" --headless --watch . 2> "$work/stderr.txt" &
pid=$!
trap 'kill $pid 2>/dev/null' EXIT

now_ms() { date +%s%3N; }
# Waits up to 5 s for out.txt to hold $1; prints the milliseconds it took.
wait_for() {
    local start=$(now_ms)
    while [ "$(cat out.txt 2>/dev/null)" != "$1" ]; do
        if [ $(( $(now_ms) - start )) -gt 5000 ]; then
            echo "out.txt never held $1 (it holds '$(cat out.txt 2>/dev/null)')" >&2
            cat "$work/stderr.txt" >&2
            exit 1
        fi
        sleep 0.02
    done
    echo $(( $(now_ms) - start ))
}

wait_for 1 > /dev/null
write_script 2
echo "restart after a change: $(wait_for 2) ms"
write_script 3 'Draw(x);\n'
sleep 1
grep -q '^main.scr:2: error: "Draw(" is no command' "$work/stderr.txt" ||
    { echo "the error is not on standard error" >&2; cat "$work/stderr.txt" >&2; exit 1; }
[ "$(cat out.txt)" = 2 ] || { echo "the last good run did not go on" >&2; exit 1; }
write_script 4
echo "restart after a fix: $(wait_for 4) ms"
kill -0 $pid || { echo "the watched game ended" >&2; exit 1; }
# SIGTERM ends the session as closing the window does: at the next frame, with status 0.
kill -TERM $pid
for _ in $(seq 100); do kill -0 $pid 2>/dev/null || break; sleep 0.05; done
kill -0 $pid 2>/dev/null && { echo "SIGTERM did not end the session" >&2; exit 1; }
wait $pid || { echo "the session ended on SIGTERM with status $?" >&2; exit 1; }
