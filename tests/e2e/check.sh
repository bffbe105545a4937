#!/usr/bin/env bash
# One check of the evidence that run_scenario.sh left. Prints what it measured; exits non-zero
# when the program did not behave.
#
# Usage: check.sh <check> <evidence folder>
#   key_press        0x9F down then up, injected, a minute after the start
#   history          the history page holds the press's line, stamped at the press
#   reload           the browser-like window in front receives F5, and the history shows it
#   reload_interval  the first F5 comes a minute after the start, as configured
#   end_session      WM_QUERYENDSESSION is answered 1 and the settings file has a fresh LastClose
#   tray             minimising hides the task-bar button and shows the icon; restoring undoes both
#   close            closing the main window ends the program
#   restart          (restart scenario) a press that never registers makes the program start
#                    itself again through the shell; the successor takes over the history, the
#                    counters and the page from the hand-over file, which is then gone
#   idle             (idle scenario) with both workers counted from the last input, each press
#                    comes a minute after the last input, the user's or its own, and the
#                    presses keep the two-minute reload from ever coming
#
# Times: the watch file stamps every event with the Unix clock in milliseconds. The program's
# start is bracketed: the workers start counting inside the window's creation, which comes after
# the process was created and before the window shows (the program presses Alt then). So an
# event due a minute after the start must come at least 60 s after the process's creation and,
# after the showing, at most the interval plus one step of its worker's timer, plus the second
# that the other worker may block the thread after its own press, plus a margin for timers that
# a loaded machine runs late.
set -euo pipefail
check=$1
dir=$2
watch=$dir/watch.txt

failures=0
pass() { echo "ok:   $*"; }
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}
need() {
  [ -f "$1" ] || {
    echo "FAIL: $1 is missing: the scenario did not get that far"
    exit 1
  }
}

# Unix milliseconds of the first watch line of KIND whose remaining fields are REST.
first_ms() {
  awk -v kind="$1" -v rest="$2" '$1 == kind { r = $4; for (i = 5; i <= NF; i++) r = r " " $i; if (r == rest) { print $3; exit } }' "$watch"
}

# The key events of one virtual-key code in order, as "down injected=1" and the like.
key_events() {
  awk -v vk="$1" '$1 == "key" && $4 == vk { print $5, $6 }' "$watch"
}

# Down then up, both injected, as the first two events of the code.
check_press_pair() {
  local vk=$1 events
  events=$(key_events "$vk" | head -n 2 | tr '\n' ',')
  if [ "$events" = "down injected=1,up injected=1," ]; then
    pass "$vk: down then up, both injected"
  else
    fail "$vk: first events were '${events:-none}', expected a down and an up, both injected"
  fi
}

# The moments that bracket the start: the process's creation, and the showing of the window.
start_bracket() {
  created=$(sed -n 's/^program_shown .* created=\([0-9]*\)$/\1/p' "$watch" | head -n 1)
  shown=$(first_ms key "0x12 down injected=1")
  [ -n "$shown" ] || shown=$(awk '$1 == "program_shown" { print $3; exit }' "$watch")
  launch=$(sed -n 's/^launch //p' "$dir/launch.txt")
  if [ -z "$created" ] || [ "$created" = 0 ] || [ -z "$shown" ]; then
    echo "FAIL: the watch did not record the program's creation and showing"
    exit 1
  fi
  echo "      start: process created $((created - launch)) ms after the launch command, window shown $((shown - created)) ms after the creation"
}

readonly interval_ms=60000    # one minute, as the scenario configures both workers
readonly other_pause_ms=1000  # a worker blocks the thread this long after each attempt
readonly late_margin_ms=4000  # timers running late on a busy machine (2 cores, several jobs)

# check_minute_after_start WHAT MS TIMER_MS: the event of the worker whose timer steps every
# TIMER_MS came a minute after the start (see the header).
check_minute_after_start() {
  local what=$1 at=$2 timer_ms=$3
  local latest=$((interval_ms + timer_ms + other_pause_ms + late_margin_ms))
  local after_created=$((at - created)) after_shown=$((at - shown)) after_launch=$((at - launch))
  local figures="${after_created} ms after the process's creation, ${after_shown} ms after the window showed, ${after_launch} ms after the launch command"
  if [ "$after_created" -ge "$interval_ms" ] && [ "$after_shown" -le "$latest" ]; then
    pass "$what $figures (latest allowed: $latest ms after the showing)"
  else
    fail "$what $figures; expected at least $interval_ms ms after the creation and at most $latest ms after the showing"
  fi
}

# Epoch seconds of a local date-time as the program writes it ("2025/10/09 14:03:27" under the
# Japanese locale; date reads the year-first form with dashes).
epoch_of() {
  local text=$1
  [[ $text =~ ^[0-9]{4}/ ]] && text=${text//\//-}
  date -d "$text" +%s
}

# The history line of MESSAGE (an extended regular expression): prints its time stamp.
history_stamp() {
  tr -d '\r' <"$dir/history.txt" | sed -En "s|^([0-9]{4}/[0-9]{2}/[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2}) $1\$|\\1|p"
}

case $check in
  key_press)
    need "$watch"
    check_press_pair 0x9F
    start_bracket
    down=$(first_ms key "0x9F down injected=1")
    if [ -n "$down" ]; then
      check_minute_after_start "0x9F pressed" "$down" 991
    else
      fail "no 0x9F press within the scenario's wait"
    fi
    ;;

  history)
    need "$watch"
    need "$dir/history.txt"
    echo "      history page:"
    tr -d '\r' <"$dir/history.txt" | sed 's/^/        /'
    echo
    # Fixed minutes drawn with a deviation of 0: the interval is exactly the minute.
    stamps=$(history_stamp '#1 \$9F after 00:01:00\.000 100\.0%')
    presses=$(tr -d '\r' <"$dir/history.txt" | grep -cE '^.{20}#[0-9]+ \$9F' || true)
    down=$(first_ms key "0x9F down injected=1")
    if [ -z "$stamps" ]; then
      fail "no line '<yyyy/mm/dd hh:mm:ss> #1 \$9F after 00:01:00.000 100.0%' on the history page"
    elif [ "$presses" -ne 1 ]; then
      fail "$presses press lines on the history page, expected 1"
    elif [ -z "$down" ]; then
      fail "the history has the line, but the watch saw no press to compare its time stamp with"
    else
      stamp_s=$(epoch_of "$stamps")
      press_s=$((down / 1000))
      if [ $((stamp_s - press_s)) -ge -1 ] && [ $((stamp_s - press_s)) -le 1 ]; then
        pass "the line '$stamps #1 \$9F after 00:01:00.000 100.0%' is stamped $((stamp_s - press_s)) s from the observed press"
      else
        fail "the press line is stamped $stamps, $((stamp_s - press_s)) s away from the observed press"
      fi
    fi
    ;;

  reload)
    need "$watch"
    need "$dir/history.txt"
    if grep -q '^wm_keydown .* 0x74$' "$watch"; then
      pass "the window of class Chrome_WidgetWin_1 received WM_KEYDOWN 0x74 (F5)"
    else
      fail "the window of class Chrome_WidgetWin_1 received no WM_KEYDOWN 0x74 (F5)"
    fi
    check_press_pair 0x74
    if [ -n "$(history_stamp '#1 \$74 \[F5\] Key')" ]; then
      pass "the history page has the line '#1 \$74 [F5] Key'"
    else
      fail "no line '<time stamp> #1 \$74 [F5] Key' on the history page"
    fi
    ;;

  reload_interval)
    need "$watch"
    start_bracket
    first=$(first_ms key "0x74 down injected=1")
    count=$(key_events 0x74 | grep -c '^down' || true)
    echo "      F5 presses seen: $count"
    if [ -n "$first" ]; then
      check_minute_after_start "first F5 pressed" "$first" 983
    else
      fail "no F5 press within the scenario's wait"
    fi
    ;;

  end_session)
    need "$dir/endsession.out"
    need "$dir/endsession_times.txt"
    answer=$(tr -d '\r\n' <"$dir/endsession.out")
    if [ "$answer" = 1 ]; then
      pass "WM_QUERYENDSESSION answered 1"
    else
      fail "WM_QUERYENDSESSION answered '${answer}' ($(cat "$dir/endsession.err"))"
    fi
    read -r _ sent _ answered <"$dir/endsession_times.txt"
    settings=$dir/settings_after_endsession.ini
    if [ ! -f "$settings" ]; then
      fail "no settings file after WM_QUERYENDSESSION"
    else
      last_close=$(tr -d '\r' <"$settings" | sed -n '/^\[PROGRAM\]$/,/^\[/s/^LastClose=//p' | head -n 1)
      if [ -z "$last_close" ]; then
        fail "the settings file has no LastClose in [PROGRAM]"
      else
        # Written while the message was handled, to the second.
        at=$(epoch_of "$last_close")
        if [ "$at" -ge $((sent / 1000)) ] && [ "$at" -le $((answered / 1000)) ]; then
          pass "the settings file was written while the message was handled: LastClose=$last_close"
        else
          fail "LastClose=$last_close is not from the session-end query ($((sent / 1000)) to $((answered / 1000)) s)"
        fi
      fi
    fi
    ;;

  tray)
    need "$watch"
    need "$dir/minimize.out"
    need "$dir/restore.out"
    sed 's/^/      minimize: /' "$dir/minimize.out"
    sed 's/^/      restore:  /' "$dir/restore.out"
    awk '$1 == "windows" { print "      watch:    " $3, $4, $5, $6, $7 }' "$watch"
    # state FILE WHEN FIELD: a field of a state line that the probe printed.
    state() { sed -n "s/^$2 .* $3=\([01]\).*/\1/p" "$dir/$1.out"; }
    sent_ms() { awk -v when=before '$1 == when { print $2 }' "$dir/$1.out"; }
    # reached FROM TO STATE: the watch saw the windows in STATE between the two moments. The
    # program's timers go on after the command, so what counts is that the state was reached.
    reached() {
      awk -v from="$1" -v to="$2" -v want="$3" '
        $1 == "windows" && $3 >= from && $3 < to && ($4 " " $5 " " $7) == want { found = 1 }
        END { exit found ? 0 : 1 }' "$watch"
    }
    minimize_sent=$(sent_ms minimize)
    restore_sent=$(sent_ms restore)
    if [ "$(state minimize before application_visible)" != 1 ] || [ "$(state minimize before tray_visible)" != 0 ]; then
      fail "before minimising, the task-bar button should show and the notification area be empty"
    elif reached "$minimize_sent" "$restore_sent" "application_visible=0 application_iconic=1 tray_visible=1"; then
      pass "minimising hid the task-bar button (the application window) and showed the icon in Wine's notification area"
    else
      fail "after minimising with the tray option, the watch never saw the application window hidden with the icon shown"
    fi
    if reached "$restore_sent" 99999999999999 "application_visible=1 application_iconic=0 tray_visible=0"; then
      pass "restoring showed the task-bar button again and removed the icon"
    else
      fail "after restoring, the watch never saw the application window shown with the icon removed"
    fi
    ;;

  close)
    need "$dir/close.out"
    need "$watch"
    if grep -q '^exited 0' "$dir/close.out" && grep -q '^program_ended ' "$watch"; then
      pass "WM_CLOSE to the main window ended the program with exit code 0"
    else
      fail "after WM_CLOSE: '$(tr -d '\r' <"$dir/close.out")' ($(cat "$dir/close.err"))"
    fi
    ;;

  restart)
    need "$watch"
    need "$dir/history.txt"
    need "$dir/history_after_restart.txt"
    need "$dir/settings_after_restart.ini"
    pids=$(sed -n 's/^program_shown .* pid=\([0-9]*\) .*/\1/p' "$watch" | tr '\n' ' ')
    read -r first_pid second_pid _ <<<"$pids"
    swallowed=$(first_ms key "0x9F up injected=1 swallowed")
    ended=$(awk '$1 == "program_ended" { print $3; exit }' "$watch")
    if [ -n "$swallowed" ] && [ -n "$ended" ] && [ -n "${second_pid:-}" ] && [ "$second_pid" != "$first_pid" ]; then
      pass "the dropped press was followed by the end of instance $first_pid $((ended - swallowed)) ms later and the start of instance $second_pid"
    else
      fail "expected a dropped 0x9F press, the first instance's end and a second instance (pids: '$pids', dropped at '${swallowed}', ended at '${ended}')"
    fi
    data() { tr -d '\r' <"$dir/settings_after_restart.ini" | sed -n "/^\[DATA\]\$/,/^\[/s/^$1=//p" | head -n 1; }
    if [ "$(data Count1)" = 1 ] && [ "$(data PrevPage)" = 3 ] && [[ $(data PrevLogFileName) == *\\Temp\\tmp*.tmp ]]; then
      pass "the settings name the hand-over file $(data PrevLogFileName) with Count1=1 and PrevPage=3"
    else
      fail "the settings after the restart have PrevLogFileName='$(data PrevLogFileName)' Count1='$(data Count1)' PrevPage='$(data PrevPage)'"
    fi
    if grep -q '^gone ' "$dir/handover.txt"; then
      pass "the successor deleted the hand-over file"
    else
      fail "the hand-over file is still there: $(cat "$dir/handover.txt")"
    fi
    page=$(tr -d '\r\n' <"$dir/page_after.out")
    if [ "$page" = 3 ]; then pass "the successor shows page 3, as the first instance did"; else fail "the successor shows page '$page', expected 3"; fi
    first_line=$(tr -d '\r' <"$dir/history_after_restart.txt" | head -n 1 | cut -c 21-)
    if [ "$first_line" = '#1 $9F after 00:01:00.000 100.0%' ]; then
      pass "the successor's history begins with the first instance's line '$first_line'"
    else
      fail "the successor's history begins with '$first_line', expected '#1 \$9F after 00:01:00.000 100.0%'"
    fi
    echo "      history page at the end:"
    tr -d '\r' <"$dir/history.txt" | sed 's/^/        /'
    echo
    if [ -n "$(history_stamp '#2 \$9F after 00:01:00\.000 100\.0%')" ]; then
      pass "the successor's own first press counts on as #2"
    else
      fail "no line '#2 \$9F after 00:01:00.000 100.0%' from the successor"
    fi
    ;;

  idle)
    need "$watch"
    need "$dir/touch.out"
    need "$dir/history.txt"
    touched=$(tr -d '\r\n' <"$dir/touch.out")
    mapfile -t presses < <(awk '$1 == "key" && $4 == "0x9F" && $5 == "down" { print $3 }' "$watch")
    echo "      user's key press at $touched; 0x9F presses ${#presses[@]}; F5 events $(key_events 0x74 | wc -l)"
    latest_after=$((interval_ms + 991 + other_pause_ms + late_margin_ms))
    if [ "${#presses[@]}" -lt 2 ]; then
      fail "${#presses[@]} presses of 0x9F, expected two a minute apart"
    else
      from=$touched
      for i in 0 1; do
        gap=$((presses[i] - from))
        if [ "$gap" -ge "$interval_ms" ] && [ "$gap" -le "$latest_after" ]; then
          pass "press $((i + 1)) came $gap ms after the last input before it"
        else
          fail "press $((i + 1)) came $gap ms after the last input before it; expected $interval_ms to $latest_after"
        fi
        from=${presses[i]}
      done
    fi
    if [ -z "$(key_events 0x74)" ]; then
      pass "no F5: the presses kept the input fresh for the two-minute reload"
    else
      fail "F5 was pressed although the key presses kept the input fresh"
    fi
    ;;

  *)
    echo "check.sh: unknown check '$check'" >&2
    exit 2
    ;;
esac

[ "$failures" -eq 0 ]
