#!/usr/bin/env bash
# Installs the built kit into a temporary prefix and checks the installation:
# every file in its place and no other programs; the installed maker makes a
# puzzle in batch mode and the installed player comes up on it and on the
# bundled sample; the desktop entries, the software-centre entries and the
# file types pass their validators. Whatever the programs write (settings,
# caches) stays in the temporary folder, which is removed at the end.
#
# check_install.sh BUILD_DIR PICTURE
set -uo pipefail
build=$1
picture=$2

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_CACHE_HOME=$work/cache \
  XDG_DATA_HOME=$work/data XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"
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

if ! cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1; then
  cat "$work/install.log" >&2
  echo "FAIL: cmake --install" >&2
  exit 1
fi

icon_sides=(16 24 32 48 64 128 256)
expected=(
  bin/vorpel bin/kestra
  share/vorpel/on.wav share/vorpel/ok.wav share/vorpel/off.wav
  share/vorpel/BGM01.mid share/vorpel/BGM02.mid share/vorpel/BGM03.mid share/vorpel/BGM04.mid
  share/vorpel/BGM05.mid share/vorpel/vorpel.html share/vorpel/vorpel_en.html share/vorpel/sample.jzt
  share/vorpel/vorpel_en.qm share/kestra/kestra_en.qm
  share/kestra/kestra.html share/kestra/kestra_en.html
  share/applications/vorpel.desktop share/applications/kestra.desktop
  share/metainfo/io.github.jigsaw_kit.vorpel.metainfo.xml
  share/metainfo/io.github.jigsaw_kit.kestra.metainfo.xml
  share/mime/packages/jigsaw-kit.xml
  share/doc/jigsaw-kit/copyright
)
for side in "${icon_sides[@]}"; do
  for icon in apps/vorpel apps/kestra mimetypes/application-x-jzt-puzzle mimetypes/application-x-jpd-play; do
    expected+=("share/icons/hicolor/${side}x${side}/$icon.png")
  done
done
for file in "${expected[@]}"; do
  [ -s "$prefix/$file" ] || fail "not installed: $file"
done

# The two programs are the only executables: no tests, benchmarks, fuzzers
# or build tools, and no libraries or headers.
while IFS= read -r program; do
  case $program in
  bin/vorpel | bin/kestra) ;;
  *) fail "installed but not part of the kit: $program" ;;
  esac
done < <(cd "$prefix" && find . -type f -perm -u+x -printf '%P\n')
for folder in include lib lib64; do
  [ ! -e "$prefix/$folder" ] || fail "installed but not part of the kit: $folder/"
done

# Each PNG is as large as the folder it lies in says.
for side in "${icon_sides[@]}"; do
  for png in "$prefix/share/icons/hicolor/${side}x${side}"/*/*.png; do
    [ -f "$png" ] || continue
    read -r -a size < <(od -An -tu1 -j16 -N8 "$png")
    width=$(((size[0] << 24) | (size[1] << 16) | (size[2] << 8) | size[3]))
    height=$(((size[4] << 24) | (size[5] << 16) | (size[6] << 8) | size[7]))
    [ "$width" -eq "$side" ] && [ "$height" -eq "$side" ] ||
      fail "${png#"$prefix"/} is ${width}x${height}"
  done
done

# The desktop's own validators.
for entry in "$prefix"/share/applications/*.desktop; do
  check_with "desktop entry" desktop-file-validate "$entry"
done
for metainfo in "$prefix"/share/metainfo/*.metainfo.xml; do
  check_with "software-centre entry" appstreamcli validate --no-net "$metainfo"
done
check_with "file types" xmllint --noout "$prefix/share/mime/packages/jigsaw-kit.xml"
check_with "file type database" update-mime-database "$prefix/share/mime"
for type in application/x-jzt-puzzle application/x-jpd-play; do
  [ -f "$prefix/share/mime/$type.xml" ] || fail "file type not registered: $type"
done
grep -qx '50:application/x-jzt-puzzle:\*\.jzt' "$prefix/share/mime/globs2" || fail "*.jzt is not a puzzle file"
grep -qx '50:application/x-jpd-play:\*\.jpd' "$prefix/share/mime/globs2" || fail "*.jpd is not a play file"

# Runs an installed program, expecting exit status `want`; anything it
# writes to standard error is a failure, except the offscreen platform's
# notice that it cannot pass size hints to a window manager it does not have,
# and the maker's note that a small picture's puzzle is enlarged.
run_program() {
  local want=$1
  shift
  local status=0
  "$@" >"$work/stdout" 2>"$work/stderr" || status=$?
  [ "$status" -eq "$want" ] || fail "$* ended with $status, not $want"
  local complaints
  complaints=$(grep -vxF 'This plugin does not support propagateSizeHints()' "$work/stderr" |
    grep -vE 'is enlarged [0-9.]+× and will look soft\.$|倍に拡大されてぼやけます。$')
  [ -z "$complaints" ] || fail "$* wrote to standard error:"$'\n'"$complaints"
}

run_program 0 "$prefix/bin/kestra" --help
run_program 0 "$prefix/bin/vorpel" --help
# Each speaks English from its installed catalogue where the desktop's
# language is not Japanese, and Japanese on a Japanese desktop.
for program in vorpel kestra; do
  usage=$(LANGUAGE= LC_ALL= LC_MESSAGES= LANG=en_US.UTF-8 "$prefix/bin/$program" --help)
  ! LC_ALL=C.UTF-8 grep -qP '[\x{3000}-\x{30ff}\x{4e00}-\x{9fff}\x{ff00}-\x{ffef}]' <<<"$usage" ||
    fail "$program --help is not English on an English desktop"
  usage=$(LANGUAGE= LC_ALL= LC_MESSAGES= LANG=ja_JP.UTF-8 "$prefix/bin/$program" --help)
  LC_ALL=C.UTF-8 grep -qP '[\x{3040}-\x{30ff}]' <<<"$usage" || fail "$program --help is not Japanese on a Japanese desktop"
done
run_program 0 "$prefix/bin/kestra" --output "$work/made.jzt" --size 1 --format small \
  --message "インストールの確認" "$picture"
[ -s "$work/made.jzt" ] || fail "kestra --output made no puzzle"

# The player opens its window offscreen and runs until it is stopped; a
# player that cannot start, cannot find its libraries or plugins, or fails
# on the puzzle ends early or complains on standard error. 124 is timeout's
# status for a program it had to stop.
export QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy
run_program 124 timeout 8 "$prefix/bin/vorpel" "$prefix/share/vorpel/sample.jzt"
run_program 124 timeout 8 "$prefix/bin/vorpel" "$work/made.jzt"

# Offscreen nothing can be seen of the windows, so the player also runs on a
# virtual X display (with Qt's X11 plugin, as on a desktop), where the names
# of its windows tell whether the file opened: the puzzle's attached message
# or a title naming the file, and not the failure message "ファイルを開く".
# (xvfb-run keeps its display's socket and lock in the system's temporary
# folder while it runs. The server must not reset when a client of the
# polling loop is its last: a player starting meanwhile could not connect.)
opened_on_display() {
  LANGUAGE= LC_ALL= LC_MESSAGES= LANG=ja_JP.UTF-8 xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" bash -c '
    "$1" "$2" >/dev/null 2>&1 &
    player=$!
    verdict=1
    for _ in $(seq 120); do
      names=$(xdotool search --name . 2>/dev/null | while read -r w; do xdotool getwindowname "$w"; done)
      if grep -qx "ファイルを開く" <<<"$names"; then
        break
      fi
      if grep -qx -e "添付メッセージ" -e "$(basename "$2") - .*" <<<"$names"; then
        verdict=0
        break
      fi
      sleep 0.25
    done
    [ "$verdict" -eq 0 ] || echo "the player did not open $2; its windows: $names"
    kill "$player"
    wait "$player"
    exit "$verdict"' _ "$prefix/bin/vorpel" "$1" 2>&1
}
if command -v xvfb-run >/dev/null && command -v xdotool >/dev/null; then
  unset QT_QPA_PLATFORM
  for file in "$prefix/share/vorpel/sample.jzt" "$work/made.jzt"; do
    out=$(opened_on_display "$file") || fail "$out"
  done
  cp "$prefix/share/doc/jigsaw-kit/copyright" "$work/not-a-puzzle.jzt"
  ! opened_on_display "$work/not-a-puzzle.jzt" >/dev/null ||
    fail "the display check does not notice a file that fails to open"
else
  fail "xvfb-run and xdotool are not installed (tools/setup.sh installs them)"
fi

[ "$failures" -eq 0 ] || exit 1
echo "installation under $prefix checked"
