#!/usr/bin/env bash
# What a screen reader sees, through AT-SPI: the program on a private Xvfb
# with its own session bus, first the start screen, then a tree screen
# (opened from REPORT). Exit 77 (skipped) when the accessibility tools are
# not installed.
#
#     screen_reader_check.sh PROGRAM REPORT
set -uo pipefail
program=$1
report=$2
here=$(dirname "$0")
launcher=/usr/libexec/at-spi-bus-launcher
if ! command -v Xvfb >/dev/null || ! command -v dbus-run-session >/dev/null || [ ! -x "$launcher" ] ||
   ! /usr/bin/python3 -c "import pyatspi" 2>/dev/null; then
  echo "skipped: Xvfb, dbus-run-session, at-spi2-core or python3-pyatspi missing"
  exit 77
fi
display=":$(( 200 + RANDOM % 100 ))"
Xvfb "$display" -screen 0 1024x700x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null' EXIT
export DISPLAY=$display QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1
export HOME=$(mktemp -d) XDG_STATE_HOME=$(mktemp -d)
sleep 1
dbus-run-session -- bash -c '
  "$0" --launch-immediately >/dev/null 2>&1 &
  sleep 1
  status=0
  for screen in start tree; do
    if [ $screen = start ]; then "$1" & else "$1" "$3" & fi
    app=$!
    sleep 6
    echo "== the $screen screen"
    /usr/bin/python3 "$2/screen_reader_walk.py" skillwright || status=1
    kill $app; wait $app 2>/dev/null
  done
  exit $status' "$launcher" "$program" "$here" "$report" 2>&1 | grep -v "fd limit"
exit "${PIPESTATUS[0]}"
