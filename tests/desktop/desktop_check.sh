#!/usr/bin/env bash
# One check of tavro on a desktop, run inside xvfb-run (the screen size is the caller's):
#   desktop_check.sh CASE wm|bare TAVRO TEST_IMAGES TESTS_DIR WORK_DIR
# wm starts openbox first; bare runs with no window manager.
#   fullscreen  a full-screen start (640x400 screen) shows the game's picture, twice enlarged,
#               on the whole screen, in a window with the game's title; a tap of F4 ends it
#   box         a syntax error's box shows exactly its reference picture; Enter answers it,
#               the run exits 1 and says FILE:LINE
#   size        a 640x480 game on a 1920x1080 screen opens at 1280x960, wholly on the screen
#               though the game places it at 200,200, and standard error holds no line of
#               any library
#   scale       --scale 3 on a 1280x1024 screen is held to 2, said in one line
#   nogame      a folder without a game shows its box; once answered the run exits 2
set -u
case_name=$1 wm=$2 tavro=$3 images=$4 tests=$5 work=$6
rm -rf "$work" && mkdir -p "$work/game"
fail() { echo "FAIL ($case_name, $wm): $*"; cat "$work/stderr.txt" 2>/dev/null; exit 1; }
if [ "$wm" = wm ]; then
  openbox >/dev/null 2>&1 &
  sleep 1
fi
# Waits for a window with this exact name; prints its id. The game's window may be made
# again when its first frame is drawn, so it is looked for after that.
window_named() {
  sleep 1
  for _ in $(seq 100); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}
start() {
  "$tavro" "$@" 2>"$work/stderr.txt" &
  pid=$!
}
finish() {
  for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$pid" 2>/dev/null && { kill "$pid"; fail "the run did not end"; }
  wait "$pid"
}
press() {
  xdotool windowfocus "$1" >/dev/null 2>&1
  sleep 0.2
  xdotool key "$2" >/dev/null 2>&1
}
# The window's client size; tried for a while, as a window manager may still be framing it.
size_of() {
  for _ in $(seq 20); do
    size=$(xwininfo -id "$1" 2>/dev/null | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}')
    [ "$size" != x ] && { echo "$size"; return; }
    sleep 0.1
  done
  echo none
}

case $case_name in
fullscreen)
  cp -r "$tests/games/screen_text_styles/." "$work/game" && rm -rf "$work/game/expected"
  "$images" make "$work/game" || fail "no test images"
  printf 'fullScreen=true;windowTitle=Full\\sscreen;\n%s' "$(cat "$work/game/init")" >"$work/game/init"
  "$images" enlarge "$tests/games/screen_text_styles/expected/screen.png" "$work/want.png" 2
  SDL_AUDIODRIVER=dummy start "$work/game"
  id=$(window_named "Full screen") || fail "no window titled 'Full screen'"
  sleep 0.5
  import -window root "$work/screen.png"
  "$images" compare "$work/want.png" "$work/screen.png" || fail "the screen does not show the game"
  press "$id" F4
  finish; [ "$?" = 0 ] || fail "F4 did not end the run normally"
  ;;
box)
  cp "$tests/games/syntax_error/"{boot,bad.tsk,bad.scr,main.scr} "$work/game"
  SDL_AUDIODRIVER=dummy start "$work/game"
  id=$(window_named report) || fail "no box"
  sleep 0.5
  import -window "$id" "$work/box.png"
  "$images" compare "$tests/host_sdl/expected/syntax_error_box.png" "$work/box.png" ||
    fail "the box differs from its reference"
  press "$id" Return
  finish; [ "$?" = 1 ] || fail "exit status not 1"
  grep -q '^bad.scr:3: if(1): 構文エラー : ネストを解析できません (Syntax error' "$work/stderr.txt" ||
    fail "no FILE:LINE"
  ;;
size | scale)
  cp -r "$tests/../games/demo/." "$work/game"
  if [ "$case_name" = size ]; then start "$work/game"; else SDL_AUDIODRIVER=dummy start --scale 3 "$work/game"; fi
  id=$(window_named "Star Dash - a Tavro demo") || fail "no game window"
  size=$(size_of "$id")
  [ "$size" = 1280x960 ] || fail "window $size, expected 1280x960"
  if [ "$case_name" = size ]; then
    bottom=$(xwininfo -id "$id" | awk '/Absolute upper-left Y:/ {print $4 + 960}')
    [ "$bottom" -le 1080 ] || fail "the window reaches down to $bottom, below the screen"
  fi
  press "$id" F4
  finish; [ "$?" = 0 ] || fail "F4 did not end the run normally"
  if [ "$case_name" = size ]; then
    ! grep -Ev '^(tavro|[^ :]+:[0-9]+): ' "$work/stderr.txt" || fail "lines that are not Tavro's"
  else
    [ "$(grep -c 'does not fit the screen' "$work/stderr.txt")" = 1 ] || fail "no single line on the held scale"
  fi
  ;;
nogame)
  SDL_AUDIODRIVER=dummy start "$work/game"
  id=$(window_named Tavro) || fail "no box"
  press "$id" Return
  finish; [ "$?" = 2 ] || fail "exit status not 2"
  ;;
*) fail "unknown case" ;;
esac
echo "ok ($case_name, $wm)"
