#!/usr/bin/env bash
# Starts the program from the release zip unpacked into a folder whose name has Japanese
# characters and a space, as a user unpacks a download: under Wine on a virtual display of its
# own, with the Japanese locale. Passes when the main window "カタコト号" appears and the program
# is still running; then ends it with the Wine server.
# Usage: bash tools/release-start.sh ZIP   (needs the prefix of tools/wine-prefix.sh)
set -euo pipefail
title=カタコト号

if [ "${1:-}" != --on-display ]; then
  zip=$(realpath "$1")
  cd "$(dirname "${BASH_SOURCE[0]}")/.."
  source tools/wine-env.sh
  export LC_ALL=ja_JP.UTF-8 LANG=ja_JP.UTF-8
  exec xvfb-run -a -s "-screen 0 1280x800x24" bash tools/release-start.sh --on-display "$zip"
fi

zip=$2
user=$(basename "$(ls -d "$WINEPREFIX"/drive_c/users/*/ | grep -v /Public/ | head -n 1)")
folder="$WINEPREFIX/drive_c/users/$user/テスト フォルダ"
rm -rf "$folder"
mkdir -p "$folder"
python3 -m zipfile -e "$zip" "$folder"
trap 'wineserver -k 2>/dev/null || true' EXIT
bash tools/wine-exec.sh "C:\\users\\$user\\テスト フォルダ\\Tapwhile.exe" &
program=$!

deadline=$((SECONDS + ${START_TIMEOUT:-90}))
until xdotool search --onlyvisible --name "^$title\$" >/dev/null 2>&1; do
  if ! kill -0 "$program" 2>/dev/null; then
    echo "release-start: the program ended before its window appeared" >&2
    exit 1
  fi
  if [ "$SECONDS" -ge "$deadline" ]; then
    echo "release-start: no window \"$title\" after ${START_TIMEOUT:-90}s" >&2
    exit 1
  fi
  sleep 1
done
sleep 2
kill -0 "$program" || { echo "release-start: the program ended after showing its window" >&2; exit 1; }
echo "release-start: the window \"$title\" opened from C:\\users\\$user\\テスト フォルダ"
