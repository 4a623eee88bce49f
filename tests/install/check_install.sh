#!/usr/bin/env bash
# Checks an installation of the kit: every file in its place and no other
# programs; the desktop entries name the installed programs; the manual pages
# render and list the options that --help lists; the installed maker makes a
# puzzle in batch mode and the installed player comes up on it and on the
# bundled sample on a virtual X display and, with the maker, in a Wayland
# session. The desktop entries, the software-centre entries and
# the file types pass their validators. Whatever the programs write
# (settings, caches) stays in a temporary folder, which is removed at the end.
#
# check_install.sh BUILD_DIR PICTURE
#     installs the built kit into a temporary prefix and checks it there;
# check_install.sh --root ROOT PREFIX PICTURE
#     checks a kit installed for PREFIX but unpacked under ROOT, as
#     `dpkg -x jigsaw-kit_*.deb ROOT` leaves the package (PREFIX /usr).
set -uo pipefail

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_CACHE_HOME=$work/cache \
  XDG_DATA_HOME=$work/data XDG_STATE_HOME=$work/state XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME" "$XDG_DATA_HOME" "$XDG_STATE_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# Runs a checking tool, which must exist, and shows its output on failure.
check_with() {
  local what=$1
  shift
  if ! command -v "$1" >/dev/null; then
    fail "$1 is not installed (tools/setup.sh installs it)"
    return
  fi
  local out
  out=$("$@" 2>&1) || fail "$what: $*"$'\n'"$out"
}

# `prefix` is where the kit was installed for, `tree` where its files are.
if [ "$1" = --root ]; then
  prefix=$3
  tree=$2$3
  picture=$4
else
  prefix=$work/prefix
  tree=$prefix
  picture=$2
  if ! cmake --install "$1" --prefix "$prefix" >"$work/install.log" 2>&1; then
    cat "$work/install.log" >&2
    echo "FAIL: cmake --install" >&2
    exit 1
  fi
fi
[ -d "$tree" ] || { echo "FAIL: no installation in $tree" >&2; exit 1; }

icon_sides=(16 24 32 48 64 128 256)
expected=(
  games/vorpel games/kestra
  share/vorpel/on.wav share/vorpel/ok.wav share/vorpel/off.wav
  share/vorpel/BGM01.mid share/vorpel/BGM02.mid share/vorpel/BGM03.mid share/vorpel/BGM04.mid
  share/vorpel/BGM05.mid share/vorpel/vorpel.html share/vorpel/vorpel_en.html share/vorpel/sample.jzt
  share/vorpel/vorpel_en.qm share/kestra/kestra_en.qm
  share/kestra/kestra.html share/kestra/kestra_en.html
  share/applications/vorpel.desktop share/applications/kestra.desktop
  share/metainfo/io.github.jigsaw_kit.vorpel.metainfo.xml
  share/metainfo/io.github.jigsaw_kit.kestra.metainfo.xml
  share/mime/packages/jigsaw-kit.xml
  share/doc/jigsaw-kit/copyright share/doc/jigsaw-kit/changelog.gz
  share/man/man6/vorpel.6.gz share/man/man6/kestra.6.gz
)
for side in "${icon_sides[@]}"; do
  for icon in apps/vorpel apps/kestra mimetypes/application-x-jzt-puzzle mimetypes/application-x-jpd-play; do
    expected+=("share/icons/hicolor/${side}x${side}/$icon.png")
  done
done
for file in "${expected[@]}"; do
  [ -s "$tree/$file" ] || fail "not installed: $file"
done

# The two programs are the only executables: no tests, benchmarks, fuzzers
# or build tools, and no libraries or headers.
while IFS= read -r program; do
  case $program in
  games/vorpel | games/kestra) ;;
  *) fail "installed but not part of the kit: $program" ;;
  esac
done < <(cd "$tree" && find . -type f -perm -u+x -printf '%P\n')
for folder in bin include lib lib64; do
  [ ! -e "$tree/$folder" ] || fail "installed but not part of the kit: $folder/"
done

# Each PNG is as large as the folder it lies in says.
for side in "${icon_sides[@]}"; do
  for png in "$tree/share/icons/hicolor/${side}x${side}"/*/*.png; do
    [ -f "$png" ] || continue
    read -r -a size < <(od -An -tu1 -j16 -N8 "$png")
    width=$(((size[0] << 24) | (size[1] << 16) | (size[2] << 8) | size[3]))
    height=$(((size[4] << 24) | (size[5] << 16) | (size[6] << 8) | size[7]))
    [ "$width" -eq "$side" ] && [ "$height" -eq "$side" ] ||
      fail "${png#"$tree"/} is ${width}x${height}"
  done
done

# The desktop's own validators.
for entry in "$tree"/share/applications/*.desktop; do
  check_with "desktop entry" desktop-file-validate "$entry"
done
for metainfo in "$tree"/share/metainfo/*.metainfo.xml; do
  check_with "software-centre entry" appstreamcli validate --no-net "$metainfo"
done
check_with "file types" xmllint --noout "$tree/share/mime/packages/jigsaw-kit.xml"
check_with "file type database" update-mime-database "$tree/share/mime"
for type in application/x-jzt-puzzle application/x-jpd-play; do
  [ -f "$tree/share/mime/$type.xml" ] || fail "file type not registered: $type"
done
grep -qx '50:application/x-jzt-puzzle:\*\.jzt' "$tree/share/mime/globs2" || fail "*.jzt is not a puzzle file"
grep -qx '50:application/x-jpd-play:\*\.jpd' "$tree/share/mime/globs2" || fail "*.jpd is not a play file"

# Each desktop entry starts its program where it is installed.
for program in vorpel kestra; do
  exec_line=$(grep '^Exec=' "$tree/share/applications/$program.desktop")
  [ "$exec_line" = "Exec=$prefix/games/$program %f" ] ||
    fail "$program.desktop runs \"${exec_line#Exec=}\", not $prefix/games/$program"
done

# The manual pages: man finds them by name and renders them without a
# warning.
if command -v man >/dev/null; then
  for program in vorpel kestra; do
    page=$(MANPATH=$tree/share/man man -w 6 "$program" 2>&1)
    [ "$page" = "$tree/share/man/man6/$program.6.gz" ] || fail "man does not find $program(6): $page"
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$tree/share/man/man6/$program.6.gz" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "$program(6) renders with warnings:"$'\n'"$warnings"
  done
else
  fail "man is not installed (tools/setup.sh installs it)"
fi

# What a program wrote to standard error (the file $1) that is a complaint:
# anything but the maker's note that a small picture's puzzle is enlarged.
complaints_in() {
  grep -vE 'is enlarged [0-9.]+× and will look soft\.$|倍に拡大されてぼやけます。$' "$1"
}
# Runs an installed program, expecting exit status `want` and no complaint.
run_program() {
  local want=$1
  shift
  local status=0
  "$@" >"$work/stdout" 2>"$work/stderr" || status=$?
  [ "$status" -eq "$want" ] || fail "$* ended with $status, not $want"
  local complaints
  complaints=$(complaints_in "$work/stderr")
  [ -z "$complaints" ] || fail "$* wrote to standard error:"$'\n'"$complaints"
}

run_program 0 "$tree/games/kestra" --help
run_program 0 "$tree/games/vorpel" --help
# Each speaks English from its installed catalogue where the desktop's
# language is not Japanese, and Japanese on a Japanese desktop.
for program in vorpel kestra; do
  usage=$(LANGUAGE= LC_ALL= LC_MESSAGES= LANG=en_US.UTF-8 "$tree/games/$program" --help)
  ! LC_ALL=C.UTF-8 grep -qP '[\x{3000}-\x{30ff}\x{4e00}-\x{9fff}\x{ff00}-\x{ffef}]' <<<"$usage" ||
    fail "$program --help is not English on an English desktop"
  usage=$(LANGUAGE= LC_ALL= LC_MESSAGES= LANG=ja_JP.UTF-8 "$tree/games/$program" --help)
  LC_ALL=C.UTF-8 grep -qP '[\x{3040}-\x{30ff}]' <<<"$usage" || fail "$program --help is not Japanese on a Japanese desktop"
done
# -h is --help, and each manual page lists the options --help lists, and
# those two.
options_in() { grep -oE -- '(^|[[:space:]])--?[a-z][a-z-]*' | sed 's/^[[:space:]]*//' | sort -u | tr '\n' ' '; }
for program in vorpel kestra; do
  usage=$(LANGUAGE=en "$tree/games/$program" --help)
  [ "$(LANGUAGE=en "$tree/games/$program" -h)" = "$usage" ] || fail "$program -h is not $program --help"
  from_help=$( (options_in <<<"$usage"; printf '%s\n' -h --help) | options_in)
  from_page=$(gzip -dc "$tree/share/man/man6/$program.6.gz" | sed 's/\\-/-/g' |
    awk '/^\.SH/ { listed = $2 == "OPTIONS" } listed && tag { print } { tag = /^\.TP/ }' | options_in)
  [ "$from_help" = "$from_page" ] ||
    fail "$program(6) lists the options ${from_page}instead of -h, --help and those --help lists: $from_help"
done
run_program 0 "$tree/games/kestra" --output "$work/made.jzt" --size 1 --format small \
  --message "インストールの確認" "$picture"
[ -s "$work/made.jzt" ] || fail "kestra --output made no puzzle"

# The player runs on a virtual X display (with Qt's X11 plugin, as on a
# desktop) until it has come up on the file, which the names of its windows
# tell: the puzzle's attached message or a title naming the file, and not
# the failure message "ファイルを開く". Then it is stopped and must end with
# 0, having said nothing on standard error: a player that cannot start,
# cannot find its libraries or plugins, or fails on the puzzle ends early,
# shows the failure or complains. The wait ends as soon as the windows tell;
# its bound only limits a failure.
# (xvfb-run keeps its display's socket and lock in the system's temporary
# folder while it runs. The server must not reset when a client of the
# polling loop is its last: a player starting meanwhile could not connect.)
unset QT_QPA_PLATFORM
export SDL_AUDIODRIVER=dummy
# Under the sanitizers, leaks of the desktop's libraries at exit are not the kit's.
library_leaks=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/library_leaks.supp
export LSAN_OPTIONS="suppressions=$library_leaks:print_suppressions=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
opened_on_display() {
  LANGUAGE= LC_ALL= LC_MESSAGES= LANG=ja_JP.UTF-8 xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" bash -c '
    "$1" "$2" >/dev/null 2>"$3" &
    player=$!
    verdict=1
    for _ in $(seq 300); do
      names=$(xdotool search --name . 2>/dev/null | while read -r w; do xdotool getwindowname "$w"; done)
      if grep -qx "ファイルを開く" <<<"$names"; then
        break
      fi
      if grep -qx -e "添付メッセージ" -e "$(basename "$2") - .*" <<<"$names"; then
        verdict=0
        break
      fi
      kill -0 "$player" 2>/dev/null || break
      sleep 0.1
    done
    [ "$verdict" -eq 0 ] || echo "the player did not open $2; its windows: $names"
    kill "$player" 2>/dev/null
    status=0
    wait "$player" || status=$?
    if [ "$verdict" -eq 0 ] && [ "$status" -ne 0 ]; then
      echo "the player on $2 ended with $status when stopped, not 0"
      verdict=1
    fi
    exit "$verdict"' _ "$tree/games/vorpel" "$1" "$work/stderr" 2>&1
}
if command -v xvfb-run >/dev/null && command -v xdotool >/dev/null; then
  for file in "$tree/share/vorpel/sample.jzt" "$work/made.jzt"; do
    if out=$(opened_on_display "$file"); then
      complaints=$(complaints_in "$work/stderr")
      [ -z "$complaints" ] || fail "the player on $file wrote to standard error:"$'\n'"$complaints"
    else
      fail "$out"
    fi
  done
  cp "$tree/share/doc/jigsaw-kit/copyright" "$work/not-a-puzzle.jzt"
  ! opened_on_display "$work/not-a-puzzle.jzt" >/dev/null ||
    fail "the display check does not notice a file that fails to open"
else
  fail "xvfb-run and xdotool are not installed (tools/setup.sh installs them)"
fi

# Both programs on Wayland, in a headless Weston session (as root too): each
# must show its window and end cleanly on SIGTERM, without a word on
# standard error and without an error from the compositor. A window counts
# as shown when Weston's protocol log has a buffer committed to the surface
# of the top-level window with the program's title. Every wait is bounded.
wait_until() {
  local tenths=$1
  shift
  while ! "$@"; do
    [ "$tenths" -gt 0 ] || return 1
    tenths=$((tenths - 1))
    sleep 0.1
  done
}
window_shown() {
  awk -v title="$2" '
    function named(kind) { match($0, kind "@[0-9]+"); return $4 " " substr($0, RSTART, RLENGTH) }
    $5 != "rq" { next }
    /\.get_xdg_surface\(/ { xdg = named("new id xdg_surface"); sub(/new id /, "", xdg); surface[xdg] = named("wl_surface") }
    /\.get_toplevel\(/ { top = named("new id xdg_toplevel"); sub(/new id /, "", top); toplevel[top] = surface[named("xdg_surface")] }
    /\.set_title\(/ && index($0, title) { wanted[toplevel[named("xdg_toplevel")]] = 1 }
    /\.attach\(wl_buffer@/ { attached[named("wl_surface")] = 1 }
    /\.commit\(\)/ { if (named("wl_surface") in attached) shown[named("wl_surface")] = 1 }
    END { for (s in wanted) if (s in shown) exit 0; exit 1 }' "$1"
}
process_ended() { ! kill -0 "$1" 2>/dev/null; }
# runs_on_wayland TITLE PROGRAM ARGS...: the program shows its window and
# ends with 0 on SIGTERM.
runs_on_wayland() {
  local title=$1
  shift
  local log=$work/weston.log
  rm -f "$log"
  weston --backend=headless-backend.so --socket=jigsaw-check --no-config --idle-time=0 \
    --log="$log" --logger-scopes=log,proto >/dev/null 2>&1 &
  local weston=$!
  if ! wait_until 100 test -S "$XDG_RUNTIME_DIR/jigsaw-check"; then
    fail "Weston did not start:"$'\n'"$(cat "$log")"
    kill "$weston"
    wait "$weston"
    return
  fi
  WAYLAND_DISPLAY=jigsaw-check QT_QPA_PLATFORM=wayland LANGUAGE=en \
    "$@" >/dev/null 2>"$work/stderr" &
  local program=$!
  shown_or_ended() { window_shown "$log" "$title" || process_ended "$program"; }
  wait_until 300 shown_or_ended
  window_shown "$log" "$title" || fail "$* showed no window \"$title\" on Wayland"
  kill -TERM "$program"
  local status=0
  if wait_until 300 process_ended "$program"; then
    wait "$program" || status=$?
    [ "$status" -eq 0 ] || fail "$* ended with $status on SIGTERM on Wayland, not 0"
  else
    fail "$* did not end on SIGTERM on Wayland"
    kill -KILL "$program"
    wait "$program"
  fi
  [ ! -s "$work/stderr" ] || fail "$* wrote to standard error on Wayland:"$'\n'"$(cat "$work/stderr")"
  ! grep -q 'wl_display@1\.error' "$log" || fail "Weston reported errors of $*:"$'\n'"$(grep 'wl_display@1\.error' "$log")"
  kill "$weston"
  wait "$weston"
}
if command -v weston >/dev/null; then
  runs_on_wayland "Jigsaw Puzzles on Your PC" "$tree/games/vorpel" "$tree/share/vorpel/sample.jzt"
  runs_on_wayland "Vorpel Puzzle Maker" "$tree/games/kestra" "$picture"
else
  fail "weston is not installed (tools/setup.sh installs it)"
fi

[ "$failures" -eq 0 ] || exit 1
echo "installation in $tree checked"
