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

out=$(mktemp)
err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
wine "$@" <&0 >"$out" 2>"$err" &
program=$!
tail -q -s 0.05 -n +1 -f --pid="$program" "$out" &
tail_out=$!
tail -q -s 0.05 -n +1 -f --pid="$program" "$err" >&2 &
tail_err=$!
wait "$program"
rc=$?
wait "$tail_out" "$tail_err"
exit "$rc"
