#!/usr/bin/env bash
# Contact sheets of the styles: the main window's 表 示 page in every style (styles-main.png), and
# the About box and a question box in a few (styles-about.png, styles-message.png); with
# GALLERY_ALL_PAGES=1 also its ファイル and スタイル pages (styles-file.png, styles-list.png). Builds if needed and draws everything under Wine
# on a virtual display of its own with the Japanese locale.
# Usage: bash tools/style-gallery.sh [OUT_FOLDER]   (default: docs/ in the repository)
set -euo pipefail

if [ "${1:-}" != --on-display ]; then
  out=$(realpath -m "${1:-$(dirname "${BASH_SOURCE[0]}")/../docs}")
  cd "$(dirname "${BASH_SOURCE[0]}")/.."
  bash tools/deps.sh
  [ -f build/win64/CMakeCache.txt ] || cmake --preset win64 >/dev/null
  cmake --build --preset win64 --target style_gallery >/dev/null
  mkdir -p "$out"
  source tools/wine-env.sh
  bash tools/wine-prefix.sh
  export LC_ALL=ja_JP.UTF-8 LANG=ja_JP.UTF-8
  exec xvfb-run -a -s "-screen 0 1280x800x24" bash tools/style-gallery.sh --on-display "$out"
fi

out=$2
shots=$(mktemp -d)
trap 'rm -rf "$shots"; wineserver -k 2>/dev/null || true' EXIT
bash tools/wine-exec.sh build/win64/bench/style_gallery.exe "$(winepath -w "$shots")"
[ -s "$shots/names.txt" ] || { echo "style-gallery: no pictures were written" >&2; exit 1; }

# One labelled tile per style, in list order.
sheet() {
  local kind=$1 file=$2 tiles=() i=0 name
  while IFS= read -r name; do
    local picture
    picture=$(printf '%s/%03d-%s.bmp' "$shots" "$i" "$kind")
    if [ -f "$picture" ]; then
      tiles+=(-label "$name" "$picture")
    fi
    i=$((i + 1))
  done < "$shots/names.txt"
  [ ${#tiles[@]} -gt 0 ] || return 0
  montage -pointsize 13 "${tiles[@]}" -tile 6x -geometry +6+6 -background '#d8d8d8' -depth 8 "$out/$file"
  echo "style-gallery: $out/$file"
}
sheet main styles-main.png
# The ファイル and スタイル pages too, for a closer look (not kept in docs/).
if [ -n "${GALLERY_ALL_PAGES:-}" ]; then
  sheet file styles-file.png
  sheet list styles-list.png
fi
sheet about styles-about.png
sheet message styles-message.png
