#!/usr/bin/env bash
# The project's run command: installs what is missing, builds the Windows program and starts it
# under Wine (the project's prefix, the Japanese locale) on this X display. With no display it
# starts on a virtual one instead, where nobody sees it: tools/screenshot.sh takes a picture.
# Usage: bash tools/run.sh   (from any folder)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

bash tools/deps.sh
cmake --preset win64 >/dev/null
# Only what it runs: the program and its help file (tools/test.sh builds the test programs).
cmake --build --preset win64 --target Tapwhile help_file
exe=build/win64/Tapwhile.exe
if [ ! -f "$exe" ]; then
  echo "run: $exe was not built" >&2
  exit 1
fi

source tools/wine-env.sh
bash tools/wine-prefix.sh
export LC_ALL=ja_JP.UTF-8 LANG=ja_JP.UTF-8

if [ -n "${DISPLAY:-}" ]; then
  echo "run: starting $exe on display $DISPLAY"
  exec bash tools/wine-exec.sh "$exe"
fi
echo "run: no X display (DISPLAY is not set): starting $exe on a virtual display (Xvfb)."
echo "run: to see it, take a picture with: bash tools/screenshot.sh"
exec xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
  echo "run: virtual display $DISPLAY (XAUTHORITY=$XAUTHORITY); Ctrl+C ends the program"
  exec bash tools/wine-exec.sh "$1"' run "$exe"
