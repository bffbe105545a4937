#!/usr/bin/env bash
# One start of the real program under Wine, watched and driven by probe.exe; the evidence goes
# into a folder that check.sh reads.
#
# Usage: run_scenario.sh <Tapwhile.exe> <probe.exe> <evidence folder> [main|restart|idle]
#
# main (the default): a press of 0x9F one minute after start (fixed interval, counted from the
# last press), a reload attempt one minute after start (counted from the last attempt), and
# minimising to the notification area. The probe's window, of a browser's class, is in front
# when both fire. Then the history is read, the session end is asked, the application is
# minimised and restored, and the program is closed.
#
# restart: the same press, but the probe's hook drops it, so that it never registers: the
# program restarts itself through the shell. The history page is chosen before; the successor
# is watched until its own first press, then closed.
#
# idle: both workers counted from the user's last input (key press after one minute, reload
# after two). The probe presses a key of its own as a user would some seconds after the start;
# then the program is left alone for more than two minutes.
#
# The settings file is written before the start and removed at the end; a file that was there
# before is put back.
set -euo pipefail
exe=$1
probe=$2
dir=$3
scenario=${4:-main}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=tools/wine-env.sh
source "$here/../../tools/wine-env.sh"

# Waits for the two workers, counted from the program's start.
readonly events_deadline_s=80
case $scenario in
  main) watch_seconds=$((events_deadline_s + 30)) watch_options=() ;;
  restart) watch_seconds=240 watch_options=(follow swallow=9F:1) ;;
  idle) watch_seconds=190 watch_options=() ;;
  *)
    echo "scenario: unknown scenario '$scenario'" >&2
    exit 2
    ;;
esac

now_ms() { date +%s%3N; }
log() { echo "scenario: $*"; }
fail() {
  echo "scenario: $*" >&2
  exit 1
}
# Wine takes Windows paths; its Z: drive is the Linux root.
winpath() { printf 'Z:%s' "${1//\//\\}"; }
# run_probe NAME ARGS...: runs a probe command, its output in NAME.out and NAME.err. Output
# never goes through a pipe: Wine's background processes could inherit and hold it.
run_probe() {
  local name=$1
  shift
  wine "$probe" "$@" >"$dir/$name.out" 2>"$dir/$name.err"
}

[ -f "$exe" ] || fail "no program at $exe"
[ -f "$probe" ] || fail "no probe at $probe"
[ -n "${DISPLAY:-}" ] || fail "DISPLAY is not set: run under xvfb-run"
rm -rf "$dir"
mkdir -p "$dir"

# The per-user settings file: Brackwater\<base name>\<base name>.ini in the roaming AppData of
# the Wine user (Wine names the user after $USER, or the login name without it).
user=${USER:-$(id -un)}
roaming=$WINEPREFIX/drive_c/users/$user/AppData/Roaming
[ -d "$roaming" ] || fail "no roaming AppData folder at $roaming (prepare the prefix with tools/wine-prefix.sh)"
base=$(basename "$exe" .exe)
brackwater=$roaming/Brackwater
ini_dir=$brackwater/$base
ini=$ini_dir/$base.ini
backup=$ini.e2e-backup

made_brackwater=no
made_ini_dir=no
[ -d "$brackwater" ] || made_brackwater=yes
[ -d "$ini_dir" ] || made_ini_dir=yes
mkdir -p "$ini_dir"
# A backup left by an interrupted run is the user's file.
if [ -f "$backup" ]; then
  mv -f "$backup" "$ini"
fi
if [ -f "$ini" ]; then
  mv "$ini" "$backup"
fi

program_pid=
watch_pid=
# end_process PID NAME: waits for a process this script started, then ends it by its PID.
end_process() {
  local pid=$1 name=$2
  [ -n "$pid" ] || return 0
  for _ in $(seq 1 100); do
    kill -0 "$pid" 2>/dev/null || { wait "$pid" 2>/dev/null || true; return 0; }
    sleep 0.1
  done
  log "$name (pid $pid) still running: ending it"
  kill "$pid" 2>/dev/null || true
  sleep 2
  kill -9 "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
}
launched=no
finished=no
cleanup() {
  set +e
  # Also ends an instance that a self-restart started, which is not our child.
  if [ "$launched" = yes ] && [ "$finished" = no ]; then
    run_probe close_on_exit close
  fi
  end_process "$program_pid" Tapwhile
  end_process "$watch_pid" "probe watch"
  rm -f "$ini"
  [ -f "$backup" ] && mv -f "$backup" "$ini"
  [ "$made_ini_dir" = yes ] && rmdir "$ini_dir" 2>/dev/null
  [ "$made_brackwater" = yes ] && rmdir "$brackwater" 2>/dev/null
  return 0
}
trap cleanup EXIT

# Presses of 0x9F at fixed intervals: the minutes drawn with a deviation of 0.
common=(CloseQuery=0 SendKey=1 SendKeyWait=1 SendKeyCode=9F NormalDistribution=1 StandardDeviationRate=0)
case $scenario in
  main) options=(UseTrayIcon=1 SendKeyUntouch=0 SendReload=1 SendReloadUntouch=0 SendReloadWait=1) ;;
  restart) options=(SendKeyUntouch=0 SendReload=0) ;;
  idle) options=(SendKeyUntouch=1 SendReload=1 SendReloadUntouch=1 SendReloadWait=2) ;;
esac
printf '%s\r\n' '[OPTION]' "${common[@]}" "${options[@]}" '' >"$ini"
cp "$ini" "$dir/settings_before.ini"

# The probe first, so that its hook is in place when the program shows its window.
wine "$probe" watch "$watch_seconds" "$(winpath "$dir/watch.txt")" "${watch_options[@]}" >"$dir/watch.out" 2>"$dir/watch.err" &
watch_pid=$!
for _ in $(seq 1 300); do
  grep -q '^start ' "$dir/watch.txt" 2>/dev/null && break
  kill -0 "$watch_pid" 2>/dev/null || fail "probe watch ended at once: $(cat "$dir/watch.err")"
  sleep 0.1
done
grep -q '^start ' "$dir/watch.txt" || fail "probe watch did not start within 30 s"
# The probes find the program by its windows' classes: no other instance may be running.
sleep 0.5
if grep -q '^program_shown ' "$dir/watch.txt"; then
  fail "a Tapwhile main window is already showing in $WINEPREFIX: end that program first"
fi

launch_ms=$(now_ms)
echo "launch $launch_ms" >"$dir/launch.txt"
wine "$exe" >"$dir/tapwhile.out" 2>"$dir/tapwhile.err" &
program_pid=$!
launched=yes
log "started $exe (watch: $dir/watch.txt)"

# Unix milliseconds of the watch's first line of KIND after the line number FROM, and its line
# number, as "<ms> <line>"; empty when there is none yet.
watch_line() {
  awk -v from="${2:-0}" -v kind="$1" 'NR > from && $1 == kind { print $3, NR; exit }' "$dir/watch.txt" 2>/dev/null
}
# wait_for_watch KIND FROM SECONDS: waits for such a line; prints it as watch_line does.
wait_for_watch() {
  local found
  for _ in $(seq 1 $(($3 * 10))); do
    found=$(watch_line "$1" "$2")
    [ -n "$found" ] && { echo "$found"; return 0; }
    sleep 0.1
  done
  return 1
}
# key_seen_after FROM REST: the watch has a key event REST ("0x9F up" and the like) after line FROM.
key_seen_after() {
  awk -v from="$1" -v rest="$2" 'NR > from && $1 == "key" && ($4 " " $5) == rest { found = 1 } END { exit !found }' \
    "$dir/watch.txt"
}
# The Linux path of a Windows path in the prefix (C:\x\y is drive_c/x/y).
unixpath() {
  local path=${1//\\//}
  printf '%s/drive_c%s' "$WINEPREFIX" "${path#[Cc]:}"
}

run_main() {
  # Both workers fire about a minute after the start; wait for the key press and the reload, or
  # for the deadline.
  deadline=$((launch_ms + events_deadline_s * 1000))
  while [ "$(now_ms)" -lt "$deadline" ]; do
    kill -0 "$program_pid" 2>/dev/null || fail "the program ended by itself: $(cat "$dir/tapwhile.err")"
    if grep -q '^key .* 0x9F up ' "$dir/watch.txt" && grep -q '^wm_keydown .* 0x74$' "$dir/watch.txt"; then
      break
    fi
    sleep 0.5
  done
  grep -q '^program_shown ' "$dir/watch.txt" || fail "the program's main window did not show"
  # The worker sleeps a second after its press; let it finish before reading.
  sleep 1.5
  log "events seen or deadline passed after $(($(now_ms) - launch_ms)) ms"

  run_probe history history "$(winpath "$dir/history.txt")" || log "probe history failed: $(cat "$dir/history.err")"

  sent=$(now_ms)
  run_probe endsession endsession || log "probe endsession failed: $(cat "$dir/endsession.err")"
  answered=$(now_ms)
  echo "sent $sent answered $answered" >"$dir/endsession_times.txt"
  [ -f "$ini" ] && cp "$ini" "$dir/settings_after_endsession.ini"

  run_probe minimize minimize || log "probe minimize failed: $(cat "$dir/minimize.err")"
  run_probe restore restore || log "probe restore failed: $(cat "$dir/restore.err")"

  close_and_finish
}

# close_and_finish: closes the program (the instance running now) and ends the watch.
close_and_finish() {
  run_probe close close || log "probe close failed: $(cat "$dir/close.err")"
  finished=yes
  end_process "$program_pid" Tapwhile
  program_pid=
  end_process "$watch_pid" "probe watch"
  watch_pid=
  log "done after $(($(now_ms) - launch_ms)) ms"
}

run_restart() {
  local first second line
  first=$(wait_for_watch program_shown 0 60) || fail "the program's main window did not show"
  sleep 2
  run_probe page_before page 3 || log "probe page failed: $(cat "$dir/page_before.err")"
  # The dropped press comes a minute after the start; the program then restarts itself.
  ended=$(wait_for_watch program_ended "${first#* }" 90) || fail "the first instance did not end"
  log "first instance ended after $(($(now_ms) - launch_ms)) ms"
  second=$(wait_for_watch program_shown "${ended#* }" 60) || fail "no second instance showed its window"
  sleep 2
  [ -f "$ini" ] && cp "$ini" "$dir/settings_after_restart.ini"
  handover=$(tr -d '\r' <"$ini" | sed -n '/^\[DATA\]$/,/^\[/s/^PrevLogFileName=//p' | head -n 1)
  if [ -n "$handover" ] && [ -e "$(unixpath "$handover")" ]; then
    echo "exists $handover" >"$dir/handover.txt"
  else
    echo "gone ${handover:-(not named)}" >"$dir/handover.txt"
  fi
  run_probe page_after page || log "probe page failed: $(cat "$dir/page_after.err")"
  run_probe history_after_restart history "$(winpath "$dir/history_after_restart.txt")" ||
    log "probe history failed: $(cat "$dir/history_after_restart.err")"
  # The successor's own first press, a minute after its start.
  line=${second#* }
  for _ in $(seq 1 150); do
    key_seen_after "$line" "0x9F up" && break
    sleep 0.5
  done
  sleep 1.5
  run_probe history history "$(winpath "$dir/history.txt")" || log "probe history failed: $(cat "$dir/history.err")"
  close_and_finish
}

run_idle() {
  wait_for_watch take_foreground 0 60 >/dev/null || fail "the program's main window did not show"
  # A user's key press some seconds after the start: the idle time starts again from it.
  sleep 8
  run_probe touch touch || fail "probe touch failed: $(cat "$dir/touch.err")"
  local touched
  touched=$(tr -d '\r' <"$dir/touch.out")
  # Two presses a minute apart follow; a reload would be due two minutes after the touch if the
  # presses did not count as input. Watch a little beyond that.
  while [ "$(now_ms)" -lt $((touched + 132000 + 10000)) ]; do
    kill -0 "$program_pid" 2>/dev/null || fail "the program ended by itself: $(cat "$dir/tapwhile.err")"
    sleep 0.5
  done
  run_probe history history "$(winpath "$dir/history.txt")" || log "probe history failed: $(cat "$dir/history.err")"
  close_and_finish
}

"run_$scenario"
