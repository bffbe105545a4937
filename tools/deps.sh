#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing need, and only those that
# are missing (nothing is asked when all are there). Runs as root, or through sudo otherwise.
set -euo pipefail

packages=(
  cmake make g++                      # native build of the portable core and its tests
  libgtest-dev googletest             # GoogleTest: native library, sources for the Windows build
  clang libclang-rt-14-dev            # libFuzzer, and the second Windows build (win64-clang)
  clang-format                        # the code format the test command checks
  g++-mingw-w64-x86-64-posix          # the Windows build
  lld llvm                            # that build's linker and archiver
  wine wine64                         # runs the Windows build
  xvfb xauth x11-utils xdotool        # a display for it, and a user's clicks
  imagemagick                         # screenshots
  fonts-noto-cjk locales-all          # Japanese text and the ja_JP.UTF-8 locale
  fp-utils                            # chmcmd for the help file
  python3                             # packs the style files (tools/pack-styles.py)
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -eq 0 ]; then
  as_root=(env)
elif command -v sudo >/dev/null; then
  as_root=(sudo env)
else
  echo "deps: missing ${missing[*]}; run this as root or install sudo" >&2
  exit 1
fi

echo "deps: installing ${missing[*]}"
log=$(mktemp)
trap 'rm -f "$log"' EXIT
apt_get() {
  "${as_root[@]}" DEBIAN_FRONTEND=noninteractive apt-get -y -q -o Dpkg::Use-Pty=0 "$@" \
    </dev/null >"$log" 2>&1
}
show_log() {
  echo "deps: apt-get $1 failed:" >&2
  tail -n 40 "$log" >&2
}
# A stale or unreachable extra source should not stop the install: apt-get install decides.
apt_get update || show_log update
apt_get install "${missing[@]}" || { show_log install; exit 1; }
echo "deps: done"
