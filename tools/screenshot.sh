#!/usr/bin/env bash
# Takes a picture of the main window: builds if needed, starts the program under Wine on a
# virtual display of its own (1280x800, 24-bit) with the Japanese locale, waits for the window
# "カタコト号", writes a PNG of just that window and ends the program and the Wine server.
# There is no window manager there, so the window has no frame.
# Usage: bash tools/screenshot.sh [OUT.png]   (default: docs/screenshot.png in the repository)
# SCREENSHOT_TIMEOUT (seconds to wait for the window, default 90) and SCREENSHOT_SETTLE (seconds
# to let it draw, default 3) can be set.
set -euo pipefail
title=カタコト号

if [ "${1:-}" != --on-display ]; then
  out=$(realpath -m "${1:-$(dirname "${BASH_SOURCE[0]}")/../docs/screenshot.png}")
  cd "$(dirname "${BASH_SOURCE[0]}")/.."
  bash tools/deps.sh
  [ -f build/win64/CMakeCache.txt ] || cmake --preset win64 >/dev/null
  cmake --build --preset win64 --target Tapwhile help_file >/dev/null
  if [ ! -f build/win64/Tapwhile.exe ]; then
    echo "screenshot: build/win64/Tapwhile.exe was not built" >&2
    exit 1
  fi
  mkdir -p "$(dirname "$out")"
  source tools/wine-env.sh
  bash tools/wine-prefix.sh
  export LC_ALL=ja_JP.UTF-8 LANG=ja_JP.UTF-8
  exec xvfb-run -a -s "-screen 0 1280x800x24" bash tools/screenshot.sh --on-display "$out"
fi

# On the virtual display, in the repository folder.
out=$2
trap 'wineserver -k 2>/dev/null || true' EXIT
bash tools/wine-exec.sh build/win64/Tapwhile.exe &
program=$!

# The main window is the largest visible window with exactly this title (the application's own
# window carries the title too, with the idle time after it).
find_window() {
  local id area best='' best_area=0
  for id in $(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null); do
    area=$(xdotool getwindowgeometry --shell "$id" 2>/dev/null \
      | awk -F= '$1 == "WIDTH" { w = $2 } $1 == "HEIGHT" { h = $2 } END { print w * h }')
    if [ "${area:-0}" -gt "$best_area" ]; then
      best=$id
      best_area=$area
    fi
  done
  echo "$best"
}

deadline=$((SECONDS + ${SCREENSHOT_TIMEOUT:-90}))
window=
while [ -z "$window" ]; do
  if ! kill -0 "$program" 2>/dev/null; then
    wait "$program" && rc=0 || rc=$?
    echo "screenshot: the program ended (exit $rc) before its window appeared" >&2
    exit 1
  fi
  if [ "$SECONDS" -ge "$deadline" ]; then
    echo "screenshot: no window \"$title\" after ${SCREENSHOT_TIMEOUT:-90}s; windows on the display:" >&2
    xwininfo -root -tree 2>&1 | grep -v '(has no name)' >&2 || true
    exit 1
  fi
  sleep 1
  window=$(find_window)
done

sleep "${SCREENSHOT_SETTLE:-3}"
import -window "$window" "$out"
echo "screenshot: wrote $out ($(identify -format '%wx%h' "$out"))"
