#!/usr/bin/env bash
# Builds the release: the stripped Release program and its help file (MinGW-w64, no tests), and
# packs them with the Japanese read-me into Tapwhile-<version>-win64.zip, with a SHA-256 checksum
# file beside it. The same commit gives the same bytes, however often and wherever it is built:
# no link time in the program, none in the help file, one date for every zip entry (the commit's).
# The last line of output is the zip's path.
# Usage: bash tools/release.sh [BUILD_DIR]   (from any folder; default build/release)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

bash tools/deps.sh

out=${1:-build/release}
mkdir -p "$out"
out=$(cd "$out" && pwd)
build=$out/win64

cmake --preset win64 -B "$build" -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" -j 2 --target Tapwhile help_file

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ -n "$version" ] || { echo "release: no project version in $build/CMakeCache.txt" >&2; exit 1; }

# Notepad on a Japanese Windows reads a text file without a byte-order mark in code page 932, and
# so do the older Windows 10 releases the program supports: the read-me goes out in CP932 with
# CR LF line ends.
readme=$out/README.txt
sed 's/$/\r/' docs/readme/README.txt | iconv -f UTF-8 -t CP932 >"$readme"

# Every entry carries the commit's time, the same for every build of it.
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2>/dev/null || echo 315532800)
fi
export SOURCE_DATE_EPOCH

name=Tapwhile-$version-win64.zip
python3 tools/pack-release.py "$out/$name" "$build/Tapwhile.exe" "$build/Tapwhile.chm" "$readme"
(cd "$out" && sha256sum "$name" >"$name.sha256")
echo "$out/$name"
