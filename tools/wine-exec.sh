#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's throwaway prefix (used by ctest as the
# cross-compiling emulator, and by the run and screenshot scripts).
#
# The program's output goes through files, not straight to our stdout and stderr: Wine's own
# background processes (services.exe, explorer.exe, ...) and any program a test leaves running
# inherit the output handles and live on with the Wine server, and a reader of a pipe they hold
# (ctest) would wait for them until its timeout. tail streams the files while the program runs.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=tools/wine-env.sh
source "$here/wine-env.sh"

# --retry-silent-start (ctest's test programs): see below.
retry_silent=no
if [ "${1-}" = --retry-silent-start ]; then
  retry_silent=yes
  shift
fi

out=$(mktemp)
err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT

run_once() {
  : >"$out"
  : >"$err"
  wine "$@" <&0 >"$out" 2>"$err" &
  local program=$!
  tail -q -s 0.05 -n +1 -f --pid="$program" "$out" &
  local tail_out=$!
  tail -q -s 0.05 -n +1 -f --pid="$program" "$err" >&2 &
  local tail_err=$!
  wait "$program"
  local rc=$?
  wait "$tail_out" "$tail_err"
  return "$rc"
}

# On a busy machine Wine now and then fails to start a program at all: it exits at once, having
# run nothing and printed nothing. A test program always prints before it can fail, so such a
# start is tried once more; a program that ran and failed has printed something and keeps its
# result.
run_once "$@"
rc=$?
if [ "$retry_silent" = yes ] && [ "$rc" -ne 0 ] && [ ! -s "$out" ] && [ ! -s "$err" ]; then
  echo "wine-exec: $1 ended with $rc before printing anything; starting it once more" >&2
  run_once "$@"
  rc=$?
fi
exit "$rc"
