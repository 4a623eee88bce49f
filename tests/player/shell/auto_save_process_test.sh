#!/usr/bin/env bash
# The player as a user runs it, on a virtual display, moved with the mouse:
# a game killed with SIGKILL is offered at the next start and resumes as its
# automatic copy left it, which holds every move made more than 15 s before
# the kill; and SIGTERM after a sound ends the player cleanly, its game kept.
# Usage: auto_save_process_test.sh VORPEL SAMPLE_PUZZLE
set -euo pipefail

vorpel=$1
puzzle=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A copy of the program with its sounds, so that its settings file lies here.
mkdir -p "$work/bin" "$work/home"
cp "$vorpel" "$work/bin/vorpel"
cp "$(dirname "$vorpel")"/*.wav "$work/bin/"
cp "$puzzle" "$work/sample.jzt"
export HOME="$work/home" XDG_STATE_HOME="$work/state" XDG_CONFIG_HOME="$work/config"
export SDL_AUDIODRIVER=dummy QT_QPA_PLATFORM=xcb
# UTF-8 for the player and xdotool alike, whatever the machine's language:
# in another character set the player writes its window names in a form that
# xdotool cannot match against Japanese. The player speaks Japanese.
export LC_ALL=C.UTF-8
unset LANGUAGE
# Leaks are the in-process tests' business; the display libraries keep
# their own allocations to the end.
export ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0"

# The display stays up between the players: by default the server resets
# when its last client goes, and a player starting meanwhile cannot connect.
xvfb-run -a -s "-screen 0 1024x768x24 -noreset" bash -c '
set -euo pipefail
work=$1
state="$work/state/vorpel"
# Says what failed, with what the players printed, the windows on the
# display and the folder of copies.
fail() {
  echo "FAIL: $*" >&2
  for f in "$work"/*.err; do echo "--- $(basename "$f"):"; cat "$f"; done >&2
  echo "--- windows:" >&2
  xdotool search --name . getwindowname %@ >&2 2>/dev/null || true
  echo "--- copies:" >&2
  ls -la "$state" >&2 2>&1 || true
  exit 1
}
now_ms() { echo $(( $(date +%s%N) / 1000000 )); }

# The id of the first window whose title matches, waiting up to 60 s (or
# $2 quarters of a second) while the player runs.
wait_window() {
  local w
  for _ in $(seq "${2:-240}"); do
    kill -0 "$player" 2>/dev/null || { echo "the player ended" >&2; return 1; }
    w=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1) || true
    [ -n "$w" ] && { echo "$w"; return 0; }
    sleep 0.25
  done
  return 1
}

# Answers the attached message of the sample when it shows.
dismiss_message() {
  local m
  m=$(wait_window "^添付メッセージ$" 60) || return 0
  xdotool windowfocus "$m"; sleep 0.3
  xdotool key Return; sleep 0.3
}

# Presses the mouse on a tray slot (column 0, row $1) and lets go over the
# board at ($2, $3): the player lays the window out at (0, 0), 640 × 480,
# with the board 470 pixels wide and the sample'"'"'s 100-pixel pieces.
drag_to_board() {
  local w=$1 X Y WIDTH HEIGHT SCREEN
  eval "$(xdotool getwindowgeometry --shell "$w")"
  local top=$((Y + 28)) tray=$((X + 480))
  xdotool mousemove $((tray + 45)) $((top + 100 * $2 + 50)); sleep 0.3
  xdotool mousedown 1; sleep 0.3
  xdotool mousemove $((X + 300)) $((top + 200)); sleep 0.3
  xdotool mousemove $((X + $3)) $((top + $4)); sleep 0.3
  xdotool mouseup 1; sleep 0.5
}

# The copies in the folder, and the pieces out in one (a base-255 pair).
copies() { find "$state" -maxdepth 1 -name "*.jpd" ! -name ".*" 2>/dev/null; }
pieces_out() { od -An -tu1 -j16 -N2 "$1" | awk "{ print \$1 + 255 * \$2 }"; }
# Waits until the one copy shows $1 pieces out; prints how long it took.
wait_copy() {
  local start; start=$(now_ms)
  for _ in $(seq 120); do
    local c; c=$(copies | head -n 1)
    if [ -n "$c" ] && [ "$(pieces_out "$c" 2>/dev/null)" = "$1" ]; then
      echo $(( $(now_ms) - start )); return 0
    fi
    sleep 0.25
  done
  return 1
}

# First game: two pieces moved, the second after the first copy.
LANGUAGE=ja "$work/bin/vorpel" "$work/sample.jzt" 2>"$work/first.err" &
player=$!
dismiss_message
w=$(wait_window "^sample.jzt - ") || fail "the player did not open the puzzle"
drag_to_board "$w" 0 150 150
wait_copy 1 >/dev/null || fail "no copy of the changed game appeared"
sleep 2
drag_to_board "$w" 1 330 150
took=$(wait_copy 2) || fail "the second move never reached the copy"
[ "$took" -le 18000 ] || fail "the second move reached the copy after $took ms"
kill -KILL "$player"
wait "$player" 2>/dev/null || true

# Next start: the game is offered before the puzzle on the command line.
LANGUAGE=ja "$work/bin/vorpel" "$work/sample.jzt" 2>"$work/second.err" &
player=$!
prompt=$(wait_window "^ゲームの再開$") || fail "the killed game was not offered"
xdotool windowfocus "$prompt"; sleep 0.3
xdotool key Return
dismiss_message
w=$(wait_window "^sample.jzt - ") || fail "the game did not resume"
[ "$(copies | wc -l)" -eq 1 ] || fail "expected one copy, found: $(copies)"
[ "$(pieces_out "$(copies)")" = 2 ] || fail "the resumed copy lost moves"
# A third piece, with its sound, then SIGTERM: the player ends at once and
# keeps the game, third piece included.
drag_to_board "$w" 2 150 330
kill -TERM "$player"
for _ in $(seq 80); do kill -0 "$player" 2>/dev/null || break; sleep 0.25; done
if kill -0 "$player" 2>/dev/null; then
  kill -KILL "$player"
  fail "SIGTERM did not end the player"
fi
status=0; wait "$player" || status=$?
[ "$status" -eq 0 ] || fail "the player ended with status $status"
[ "$(copies | wc -l)" -eq 1 ] || fail "expected one copy after SIGTERM, found: $(copies)"
[ "$(pieces_out "$(copies)")" = 3 ] || fail "the game was not kept at SIGTERM"
echo "recovered after SIGKILL and kept at SIGTERM; the second move reached the copy in $took ms"
' _ "$work"
