#!/usr/bin/env bash
# The player as a user runs it, on a virtual display, moved with the mouse:
# a game killed with SIGKILL stays among the unfinished games while another
# puzzle named on the command line opens; a game closed with "いいえ" at the
# save prompt stays too, and both are offered at the next start; a copy that
# cannot be written (a file-size limit stands in for a full disk) is shown in
# the title, and nothing is lost once space is back; SIGTERM after a sound
# ends the player cleanly, its game kept.
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
cp "$puzzle" "$work/other.jzt"
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

# The unfinished games in the folder: each record holds a head (the puzzle
# name and a picture, their lengths as 32-bit numbers at 24 and after the
# name) and then the play file fixed blocks, whose pieces out are a
# base-255 pair at 16.
records() { find "$state" -maxdepth 1 -name "*.game" ! -name ".*" 2>/dev/null; }
u32() { od -An -tu1 -j"$2" -N4 "$1" | awk "{ print \$1 + 256 * \$2 + 65536 * \$3 + 16777216 * \$4 }"; }
record_name() { dd if="$1" bs=1 skip=28 count="$(u32 "$1" 24)" 2>/dev/null; }
pieces_out() {
  local n p; n=$(u32 "$1" 24); p=$(u32 "$1" $((28 + n)))
  od -An -tu1 -j$((32 + n + p + 16)) -N2 "$1" | awk "{ print \$1 + 255 * \$2 }"
}
record_of() {
  local r; for r in $(records); do [ "$(record_name "$r")" = "$1" ] && { echo "$r"; return 0; }; done; return 1
}
# Whether no running player holds the game of a record.
listed() { flock -n "${1%.game}.lock" true; }
# Waits until the game of puzzle $1 shows $2 pieces out; prints how long it took.
wait_copy() {
  local start r; start=$(now_ms)
  for _ in $(seq 120); do
    r=$(record_of "$1") && [ "$(pieces_out "$r" 2>/dev/null)" = "$2" ] && { echo $(( $(now_ms) - start )); return 0; }
    sleep 0.25
  done
  return 1
}
wait_title() {
  for _ in $(seq 120); do
    xdotool getwindowname "$1" 2>/dev/null | grep -q -- "$2" && return 0
    sleep 0.25
  done
  return 1
}
ends_cleanly() {
  kill -TERM "$player"
  for _ in $(seq 80); do kill -0 "$player" 2>/dev/null || break; sleep 0.25; done
  if kill -0 "$player" 2>/dev/null; then kill -KILL "$player"; return 1; fi
  local status=0; wait "$player" || status=$?
  [ "$status" -eq 0 ]
}

# First game: two pieces moved, the second after the first copy; killed.
LANGUAGE=ja "$work/bin/vorpel" "$work/sample.jzt" 2>"$work/first.err" &
player=$!
dismiss_message
w=$(wait_window "^sample.jzt - ") || fail "the player did not open the puzzle"
drag_to_board "$w" 0 150 150
wait_copy sample.jzt 1 >/dev/null || fail "no copy of the changed game appeared"
sleep 2
drag_to_board "$w" 1 330 150
took=$(wait_copy sample.jzt 2) || fail "the second move never reached the copy"
[ "$took" -le 18000 ] || fail "the second move reached the copy after $took ms"
kill -KILL "$player"
wait "$player" 2>/dev/null || true

# Another puzzle on the command line opens at once; the killed game stays
# listed. One piece moved there, then "いいえ" at the save prompt on close.
LANGUAGE=ja "$work/bin/vorpel" "$work/other.jzt" 2>"$work/second.err" &
player=$!
dismiss_message
w=$(wait_window "^other.jzt - ") || fail "the puzzle named on the command line did not open"
killed=$(record_of sample.jzt) || fail "the killed game left the list"
listed "$killed" || fail "the killed game is held by the running player"
[ "$(pieces_out "$killed")" = 2 ] || fail "the killed game lost moves"
drag_to_board "$w" 0 150 150
xdotool windowfocus "$w"; sleep 0.3
xdotool key alt+f; sleep 0.5; xdotool key x
prompt=$(wait_window "^データの変更を保存する$") || fail "no save prompt on close"
xdotool windowfocus "$prompt"; sleep 0.3
xdotool key Escape
for _ in $(seq 80); do kill -0 "$player" 2>/dev/null || break; sleep 0.25; done
kill -0 "$player" 2>/dev/null && fail "the player did not close"
wait "$player" || fail "the player ended badly"
[ "$(records | wc -l)" -eq 2 ] || fail "expected two unfinished games, found: $(records)"
[ "$(pieces_out "$(record_of other.jzt)")" = 1 ] || fail "the declined game was not kept"

# No file named: the list is offered; the newest game resumes. Its copy
# cannot be written under a file-size limit: the title says so, and the next
# copy after the limit goes holds every move.
(trap "" XFSZ; ulimit -S -f 64; exec env LANGUAGE=ja "$work/bin/vorpel") 2>"$work/third.err" &
player=$!
list=$(wait_window "^未完成のゲーム$") || fail "the unfinished games were not offered"
xdotool windowfocus "$list"; sleep 0.3
xdotool key Return
dismiss_message
w=$(wait_window "^other.jzt - ") || fail "the newest game did not resume"
drag_to_board "$w" 1 330 150
wait_title "$w" "自動保存できません" || fail "the failing copy was not shown"
[ "$(pieces_out "$(record_of other.jzt)")" = 1 ] || fail "the failing copy changed the game on disk"
prlimit --pid "$player" --fsize=unlimited
took=$(wait_copy other.jzt 2) || fail "the game was not written once space was back"
wait_title "$w" "%$" || fail "the notice stayed after a good copy"
# A third piece, with its sound, then SIGTERM: the player ends at once and
# keeps the game, third piece included.
drag_to_board "$w" 2 150 330
ends_cleanly || fail "SIGTERM did not end the player cleanly"
[ "$(pieces_out "$(record_of other.jzt)")" = 3 ] || fail "the game was not kept at SIGTERM"
[ "$(records | wc -l)" -eq 2 ] || fail "expected two unfinished games after SIGTERM, found: $(records)"
echo "both games kept; the second move reached the copy in $took ms after space came back"
' _ "$work"
