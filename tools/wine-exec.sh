#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's throwaway prefix (used by ctest as the
# cross-compiling emulator, and by the run and screenshot scripts).
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
export WINEPREFIX=${WINEPREFIX:-$here/../build/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml=;winemenubuilder.exe=d"}
exec wine "$@"
