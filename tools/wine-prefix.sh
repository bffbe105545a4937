#!/usr/bin/env bash
# Prepares the project's throwaway Wine prefix (build/wineprefix unless WINEPREFIX is set):
# initialises it, maps the Windows font names to the installed CJK font and turns off the crash
# dialog. Safe to run again: a stamp in the prefix records the settings it was prepared with, and
# nothing is done while they are unchanged. Run it while no program of the prefix is running.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=tools/wine-env.sh
source "$here/wine-env.sh"

reg_file=$here/wine-fonts.reg
stamp=$WINEPREFIX/.tapwhile-prefix
want=$(cat "$here/wine-prefix.sh" "$reg_file" | sha256sum | cut -d' ' -f1)

if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$want" ]; then
  exit 0
fi

echo "wine-prefix: preparing $WINEPREFIX"
mkdir -p "$WINEPREFIX"
log=$(mktemp)
trap 'rm -f "$log"' EXIT
fail() {
  echo "wine-prefix: $1 failed:" >&2
  cat "$log" >&2
  exit 1
}

wine wineboot -i >"$log" 2>&1 || fail "wineboot -i"
# regedit takes a Windows path; Wine's Z: drive is the Linux root.
wine regedit /S "Z:${reg_file//\//\\}" >"$log" 2>&1 || fail "importing $reg_file"
# The server writes the registry to the prefix when it ends.
wineserver -w

# Read the values back: a .reg file that regedit could not parse is skipped without an error.
expect_value() {
  if ! wine reg query "$1" /v "$2" >"$log" 2>&1 || ! grep -q "$3" "$log"; then
    fail "checking $1\\$2"
  fi
}
expect_value 'HKCU\Software\Wine\Fonts\Replacements' 'Meiryo UI' 'Noto Sans CJK JP'
expect_value 'HKCU\Software\Wine\WineDbg' ShowCrashDialog 0x0
wineserver -w

echo "$want" >"$stamp"
echo "wine-prefix: ready"
