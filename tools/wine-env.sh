# Sourced (not run) by the scripts that start Wine: the project's throwaway Wine environment.
#
# Everything lives under build/ so that nothing reaches the user's own Wine prefix or home:
#   WINEPREFIX     build/wineprefix, unless already set
#   HOME           TW_WINE_HOME, by default build/winehome (Wine links Desktop and the other
#                  special folders into it; shortcut tests must not touch the real desktop)
#   XDG_DATA_HOME  $HOME/.local/share (the recycle bin is the freedesktop trash there), and the
#                  other XDG folders in $HOME too
# Also: WINEDEBUG=-all, no Mono/Gecko installers, no .desktop files from winemenubuilder.

TW_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export TW_ROOT

export WINEPREFIX=${WINEPREFIX:-$TW_ROOT/build/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml=;winemenubuilder.exe=d"}

# Once per process tree: a nested script finds HOME already replaced.
if [ -z "${TW_WINE_ENV:-}" ]; then
  export TW_WINE_ENV=1
  # The X server's cookie is found through HOME unless XAUTHORITY names it: keep it reachable.
  if [ -z "${XAUTHORITY:-}" ] && [ -n "${HOME:-}" ] && [ -f "$HOME/.Xauthority" ]; then
    export XAUTHORITY=$HOME/.Xauthority
  fi
  export TW_WINE_HOME=${TW_WINE_HOME:-$TW_ROOT/build/winehome}
  export HOME=$TW_WINE_HOME
  export XDG_DATA_HOME=$HOME/.local/share
  export XDG_CONFIG_HOME=$HOME/.config
  export XDG_CACHE_HOME=$HOME/.cache
  mkdir -p "$XDG_DATA_HOME" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME"
fi
