#!/usr/bin/env bash
# Checks of the Debian package that ./package builds.
#
#   package_test.sh DEB contents    its files, their owners and modes, its control fields
#   package_test.sh DEB metadata    the menu entry, the AppStream metadata and the manual page
#   package_test.sh DEB lintian     Debian's checks of a package, pedantic
#   package_test.sh DEB installed   the program run from the unpacked package, read-only
#   package_test.sh DEB portable    the program copied with its animations into a folder of
#                                   its own, writable and then mounted read-only
#   package_test.sh DEB types       the desktop, told of the package, hands it saved
#                                   reports and skillwright:// links, and no other text
#
# The runs play the real program under a private Xvfb with xdotool: hover a
# class (its animation must play), choose it, SAVE an empty character, then
# EXIT. Each needs a display but no window manager, and lasts a few seconds.
# Lintian checks the rest of the program file (stripped, no library search path).
set -euo pipefail

deb=$1
check=$2
here=$(cd "$(dirname "$0")" && pwd)
if [ ! -f "$deb" ]; then
  echo "no package at $deb: ./package builds it (./test runs it first)" >&2
  exit 1
fi

work=$(mktemp -d /tmp/sw-package-XXXXXX)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  chmod -R u+w "$work" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

unpack() {
  dpkg-deb -x "$deb" "$work/root"
}

app_id=org.example.skillwright
icon_sizes=(16 22 24 32 48 64 128 256)

# ---- The files -------------------------------------------------------------

check_contents() {
  local expected=(
    ./usr/games/skillwright
    ./usr/share/applications/$app_id.desktop
    ./usr/share/doc/skillwright/LiberationSans-LICENSE.txt
    ./usr/share/doc/skillwright/changelog.gz
    ./usr/share/doc/skillwright/LinuxLibertine-LICENSE.txt
    ./usr/share/doc/skillwright/copyright
    ./usr/share/man/man6/skillwright.6.gz
    ./usr/share/metainfo/$app_id.metainfo.xml
    ./usr/share/mime/packages/skillwright.xml
  )
  for c in amazon barbarian necromancer paladin sorceress; do
    expected+=("./usr/share/skillwright/${c}move.gif")
  done
  for s in "${icon_sizes[@]}"; do
    expected+=("./usr/share/icons/hicolor/${s}x${s}/apps/$app_id.png")
  done
  # Every file, with its owner and mode; folders are only where files are.
  dpkg-deb -c "$deb" | awk '$6 !~ /\/$/ { print $6, $2, $1 }' | sort >"$work/listed"
  printf '%s\n' "${expected[@]}" | sort | while read -r f; do
    if [ "$f" = ./usr/games/skillwright ]; then echo "$f root/root -rwxr-xr-x"; else echo "$f root/root -rw-r--r--"; fi
  done >"$work/expected"
  diff -u "$work/expected" "$work/listed" || fail "the package's files differ from the list above (- expected, + found)"

  dpkg-deb -f "$deb" Package Version Architecture Section >"$work/control"
  diff -u <(printf 'Package: skillwright\nVersion: %s\nArchitecture: %s\nSection: games\n' \
    "$SKILLWRIGHT_VERSION" "$(dpkg --print-architecture)") "$work/control" || fail "control fields"
  local depends
  depends=$(dpkg-deb -f "$deb" Depends)
  for lib in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6; do
    tr ',' '\n' <<<"$depends" | awk '{ print $1 }' | grep -qxF "$lib" || fail "Depends lacks $lib: $depends"
  done

  unpack
  if grep -q -a -F "$SKILLWRIGHT_SOURCE_DIR" "$work/root/usr/games/skillwright"; then fail "the program names the source tree"; fi
  echo "contents: ${#expected[@]} files as listed, Depends: $depends"
}

# ---- The menu entry, the metadata, the manual ------------------------------

check_metadata() {
  unpack
  local desktop=$work/root/usr/share/applications/$app_id.desktop
  desktop-file-validate "$desktop" || fail "desktop-file-validate"
  for line in 'Name=Skillwright' 'GenericName=Skill Planner' 'Exec=/usr/games/skillwright %u' "Icon=$app_id" \
    'Categories=Game;RolePlaying;' 'MimeType=text/x-skillwright-report;x-scheme-handler/skillwright;'; do
    grep -qxF "$line" "$desktop" || fail "the desktop entry lacks $line"
  done
  grep -q '^Comment=.' "$desktop" || fail "the desktop entry has no comment"

  local metainfo=$work/root/usr/share/metainfo/$app_id.metainfo.xml
  appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate"
  grep -qF "<release version=\"$SKILLWRIGHT_VERSION\"" "$metainfo" || fail "no release $SKILLWRIGHT_VERSION"
  grep -qF '<project_license>GPL-3.0-or-later AND OFL-1.1</project_license>' "$metainfo" ||
    fail "the metadata's licence: $(grep project_license "$metainfo")"
  ! grep -Eq 'https?://' "$desktop" "$metainfo" || fail "a web address: $(grep -Eh 'https?://' "$desktop" "$metainfo")"
  for tag in summary description launchable; do
    grep -q "<$tag" "$metainfo" || fail "the metadata has no $tag"
  done

  local warnings
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$work/root/usr/share/man/man6/skillwright.6.gz" 2>&1 >"$work/manual")
  [ -z "$warnings" ] || fail "the manual page: $warnings"
  grep -q 'Documents/Skillwright' "$work/manual" || fail "the manual does not say where reports go"
  echo "metadata: desktop entry, AppStream metadata and manual page valid"
}

# ---- Debian's own checks -----------------------------------------------------

# Any error or warning fails, as does lintian failing to run; the notes it
# prints are explained in docs/packaging.md.
check_lintian() {
  command -v lintian >/dev/null || {
    echo "lintian is not installed (scripts/install-deps installs it)"
    exit 77
  }
  lintian --pedantic --display-info --tag-display-limit 0 --fail-on error,warning "$deb" >"$work/lintian" 2>&1 ||
    fail "lintian: $(grep -v 'running with root privileges' "$work/lintian")"
  echo "lintian: no error or warning, $(grep -Ec '^[IPX]: ' "$work/lintian" || true) notes"
}

# ---- The program, played under Xvfb ------------------------------------------

start_display() {
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
  pids+=($!)
  for _ in $(seq 1 100); do [ -s "$work/display" ] && break; sleep 0.05; done
  [ -s "$work/display" ] || fail "Xvfb did not start"
  export DISPLAY=":$(cat "$work/display")"
}

# The first visible window whose whole title matches the expression $1, within
# thirty seconds: a machine busy with two builds can take more than ten.
window() {
  local w=""
  for _ in $(seq 1 300); do
    w=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1 || true)
    [ -n "$w" ] && break
    sleep 0.1
  done
  [ -n "$w" ] || fail "no window \"$1\": $(cat "$work/program.log" 2>/dev/null)"
  echo "$w"
}

click() { # window x y
  xdotool mousemove --window "$1" "$2" "$3" sleep 0.1 click 1 sleep 0.2
}

# Distinct pictures of a window's part, taken five times 150 ms apart.
pictures_of() { # window geometry
  for _ in 1 2 3 4 5; do
    import -window "$1" -crop "$2" +repage rgb:- | md5sum
    sleep 0.15
  done | sort -u | wc -l
}

# The sizes of a window's icon, as the window manager is told them: the
# emblem's (Qt hands over those up to 128 pixels).
icon_of() { # window
  xprop -id "$1" _NET_WM_ICON | grep -o 'Icon ([0-9]* x' | tr -d '(' | awk '{ print $2 }' | paste -sd ' ' || true
}
emblem_sizes="16 22 24 32 48 64 128"

report_text() { # name level entries...
  local name=$1 level=$2
  shift 2
  if [ $# -eq 0 ]; then printf 'No Skills selected, Empty character\r\n\r\n'; fi
  printf '%s\r\nClass: Necromancer\r\nLevel: %s\r\n%s\r\n\r\nClvl 1 Slvl 0: Starting Level\r\n' \
    "$name" "$level" "---------------------------------------------"
  if [ $# -eq 0 ]; then printf '\r\n'; fi
  for entry in "$@"; do printf '%s\r\n' "$entry"; done
  printf '\r\n%s\r\n' "---------------------------------------------"
}

save_as() { # tree-window name
  click "$1" 720 82 # SAVE
  xdotool windowfocus --sync "$(window "Character Name")" key ctrl+a type "$2"
  xdotool key Return
}

# Plays the program at $1 with HOME at $2 and expects the report in $3;
# $4..., if given, is the command that starts the program (default: $1).
play() {
  local program=$1 home=$2 reports=$3
  shift 3
  local start=("$@")
  [ ${#start[@]} -gt 0 ] || start=("$program")
  start_display
  env -u XDG_CONFIG_HOME -u XDG_DATA_HOME -u XDG_DOCUMENTS_DIR HOME="$home" QT_QPA_PLATFORM=xcb \
    "${start[@]}" >"$work/program.log" 2>&1 &
  local app=$!
  pids+=("$app")

  local select tree
  select=$(window "Diablo II Skillwright")
  [ "$(icon_of "$select")" = "$emblem_sizes" ] || fail "the start screen has not the program's icon: $(icon_of "$select")"
  # The Necromancer's picture plays its animation while the pointer rests on
  # it, once the animations are loaded: the pointer comes back until it does.
  local plays=""
  for _ in 1 2 3 4 5; do
    xdotool mousemove --window "$select" 20 20 sleep 0.3 mousemove --window "$select" 400 200 \
      sleep 0.1 mousemove --window "$select" 406 210 sleep 0.2
    if [ "$(pictures_of "$select" 140x260+336+80)" -ge 2 ]; then plays=yes && break; fi
  done
  [ -n "$plays" ] || fail "the Necromancer's animation does not play"
  click "$select" 406 210
  tree=$(window "Diablo II Skillwright \\(Necromancer\\)")
  save_as "$tree" Hero
  for _ in $(seq 1 100); do [ -f "$reports/Hero.txt" ] && break; sleep 0.1; done
  sleep 0.3
  cmp -s "$reports/Hero.txt" <(report_text Hero 1) || fail "the report: $(od -c "$reports/Hero.txt" | head)"

  click "$tree" 717 300 # EXIT
  local status=0
  for _ in $(seq 1 50); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
  wait "$app" || status=$?
  [ "$status" -eq 0 ] || fail "the program ended with $status: $(cat "$work/program.log")"
  kill "${pids[0]}" 2>/dev/null || true
  wait "${pids[0]}" 2>/dev/null || true
  pids=()
}

tree_state() { # folder: every path with its size and time
  find "$1" -printf '%p %s %T@ %m\n' | sort
}

check_installed() {
  unpack
  chmod -R a-w "$work/root" # root writes regardless: the program must not even try
  tree_state "$work/root" >"$work/before"
  mkdir "$work/home"
  play "$work/root/usr/games/skillwright" "$work/home" "$work/home/Documents/Skillwright"
  tree_state "$work/root" | diff -u "$work/before" - || fail "the program wrote into its installation"
  echo "installed: animations from usr/share/skillwright, reports in HOME/Documents/Skillwright"
}

check_portable() {
  unpack
  local stick=$work/stick
  mkdir "$stick" "$work/home"
  cp "$work/root/usr/games/skillwright" "$work/root/usr/share/skillwright/"*.gif "$stick"
  play "$stick/skillwright" "$work/home" "$stick"
  [ ! -e "$work/home/Documents" ] || fail "a folder of its own that takes files, yet the documents were used"
  echo "portable: reports beside the program"

  # The same folder mounted read-only, which holds for root too.
  rm "$stick/Hero.txt"
  if ! unshare --mount --propagation private true 2>/dev/null; then
    echo "portable: no mount namespace here, the read-only folder is not tried"
    exit 77
  fi
  play "$stick/skillwright" "$work/home" "$work/home/Documents/Skillwright" \
    unshare --mount --propagation private sh -c \
    'mount --bind "$1" "$1" && mount -o remount,bind,ro "$1" && exec "$1/skillwright"' - "$stick"
  [ ! -e "$stick/Hero.txt" ] || fail "a report in the read-only folder"
  echo "portable, read-only: reports in HOME/Documents/Skillwright"
}

# ---- The reports' type and the links' handler --------------------------------

check_types() {
  unpack
  local share=$work/root/usr/share
  # What the package's triggers do on a real system, done here for its own folder.
  update-mime-database "$share/mime" >/dev/null 2>&1 || fail "update-mime-database"
  update-desktop-database "$share/applications" || fail "update-desktop-database"
  mkdir -p "$work/home" "$work/files"
  local ask=(env -u XDG_CURRENT_DESKTOP -u XDG_CONFIG_HOME -u XDG_CONFIG_DIRS HOME="$work/home"
    XDG_DATA_HOME="$work/home/.local/share" XDG_DATA_DIRS="$share:/usr/share" xdg-mime query)
  report_text Hero 2 "Clvl 2 Slvl 1: Teeth" >"$work/files/Hero.txt"
  report_text Hero 1 >"$work/files/Empty.txt"
  report_text Hero 2 "Clvl 2 Slvl 1: Teeth" | tr -d '\r' >"$work/files/Edited.txt"
  printf 'Notes on Teeth\nClvl 1 Slvl 0: Starting Level\n' >"$work/files/Notes.txt"
  printf '%s\n' "---------------------------------------------" >>"$work/files/Notes.txt"
  local file type
  for file in Hero Empty Edited Notes; do
    type=$("${ask[@]}" filetype "$work/files/$file.txt")
    case "$file" in
      Notes) [ "$type" = text/plain ] || fail "an ordinary text file is $type" ;;
      *) [ "$type" = text/x-skillwright-report ] || fail "the report $file.txt is $type" ;;
    esac
  done
  for type in x-scheme-handler/skillwright text/x-skillwright-report; do
    [ "$("${ask[@]}" default "$type")" = "$app_id.desktop" ] || fail "$type is not handed to $app_id.desktop"
  done
  [ "$("${ask[@]}" default text/plain)" != "$app_id.desktop" ] || fail "every text is handed to Skillwright"

  echo "types: saved reports are text/x-skillwright-report, other text text/plain; links and reports open in $app_id"
}

case "$check" in
  contents) check_contents ;;
  metadata) check_metadata ;;
  lintian) check_lintian ;;
  installed) check_installed ;;
  portable) check_portable ;;
  types) check_types ;;
  *) fail "no check $check" ;;
esac
