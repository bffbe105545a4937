#!/usr/bin/env bash
# Measures the program against two yardsticks under Wine on a virtual display and prints the
# figures and their ratios:
#   start    the time from starting a program to its visible, answering window: Tapwhile.exe
#            against bench/bare_window, both started by bench/start_probe, alternately, median
#            of --starts starts each (goal: at most 1.3 times the bare window); and
#            bench/window_set, the program's windows alone, the floor of its start
#   idle     the CPU time of the program plus its Wine server over --idle-seconds, after
#            settling, with both workers on: Tapwhile.exe against bench/idle_reference, which does
#            the one-second duties and nothing else (goal: at most 1.2 times the reference)
#   takeover the start with a 100,000-line hand-over file left by a self-restart: when the window
#            is usable, the longest wait for an answer while the history page fills, and when the
#            page holds every line (goal: usable within 1 s)
#   trips    the requests that each start sends the Wine server until its window answers, counted
#            in the server's own trace: the start's cost under Wine whatever else the machine does
#            (one start of each after one unmeasured start)
# Usage: bash bench/compare.sh [--style NAME] [--starts N] [--idle-seconds S] [--only start|idle|takeover|trips]
#   --style NAME  starts the program with StyleName=NAME in its settings file (default: none,
#                 the system look)
# The figures depend on the machine and its load: state both with them. The Wine prefix is
# build/bench-wineprefix, apart from the tests' one.
set -euo pipefail

style=''
starts=5
idle_seconds=60
only=''
on_display=''
while [ $# -gt 0 ]; do
  case "$1" in
    --style) style=$2; shift 2 ;;
    --starts) starts=$2; shift 2 ;;
    --idle-seconds) idle_seconds=$2; shift 2 ;;
    --only) only=$2; shift 2 ;;
    --on-display) on_display=1; shift ;;
    *) echo "compare: unknown option $1" >&2; exit 2 ;;
  esac
done

cd "$(dirname "${BASH_SOURCE[0]}")/.."
export WINEPREFIX=$PWD/build/bench-wineprefix
if [ -z "$on_display" ]; then
  cmake --preset win64 >/dev/null
  cmake --build --preset win64 --target Tapwhile bare_window window_set idle_reference start_probe >/dev/null
  source tools/wine-env.sh
  bash tools/wine-prefix.sh
  args=(--starts "$starts" --idle-seconds "$idle_seconds")
  if [ -n "$style" ]; then args+=(--style "$style"); fi
  if [ -n "$only" ]; then args+=(--only "$only"); fi
  exec xvfb-run -a -s "-screen 0 1280x800x24" bash bench/compare.sh --on-display "${args[@]}"
fi

source tools/wine-env.sh
export LC_ALL=ja_JP.UTF-8 LANG=ja_JP.UTF-8
wineserver -k 2>/dev/null || true
wineserver -p
trap 'wineserver -k 2>/dev/null || true' EXIT

program=$PWD/build/win64/Tapwhile.exe
bare=$PWD/build/win64/bench/bare_window.exe
window_set=$PWD/build/win64/bench/window_set.exe
reference=$PWD/build/win64/bench/idle_reference.exe
probe=$PWD/build/win64/bench/start_probe.exe
user=${USER:-$(id -un)}
ini_dir=$WINEPREFIX/drive_c/users/$user/AppData/Roaming/Brackwater/Tapwhile
ini=$ini_dir/Tapwhile.ini
winpath() { winepath -w "$1" 2>/dev/null; }
# The program takes over only a file in the user's own temporary folder.
temp_windows=$(wine cmd /c echo %TEMP% 2>/dev/null | tr -d '\r')
temp_dir=$(winepath -u "$temp_windows" 2>/dev/null)
mkdir -p "$ini_dir" "$temp_dir"
program_w=$(winpath "$program")
bare_w=$(winpath "$bare")
window_set_w=$(winpath "$window_set")

# The settings of every run: both workers on, with waits of an hour so that no press falls into
# a measurement; DATA lines are added for the take-over.
write_ini() {
  {
    printf '[OPTION]\r\nSendKey=1\r\nSendKeyWait=60\r\nSendReload=1\r\nSendReloadWait=60\r\n'
    if [ -n "$style" ]; then printf 'StyleName=%s\r\n' "$style"; fi
    if [ $# -gt 0 ]; then printf '[DATA]\r\n'; printf '%s\r\n' "$@"; fi
  } >"$ini"
}

median() { sort -n | awk '{v[NR]=$1} END {if (NR==0) print "nan"; else if (NR%2) print v[(NR+1)/2]; else print (v[NR/2]+v[NR/2+1])/2}'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {if (b > 0) printf "%.2f", a/b; else print "nan"}'; }
# Runs the probe; prints the value of one of its result lines.
probe_value() { tr -d '\r' | awk -v key="$1" '$1 == key {print $2}'; }

# utime + stime in clock ticks of a process, and the Wine server of this prefix.
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
# The server works in a folder named after the prefix's device and inode.
server_dir=server-$(printf '%x' "$(stat -c %d "$WINEPREFIX")")-$(printf '%x' "$(stat -c %i "$WINEPREFIX")")
server_pid=''
for pid in $(pgrep -u "$(id -u)" wineserver || true); do
  if [ "$(basename "$(readlink "/proc/$pid/cwd" 2>/dev/null)")" = "$server_dir" ]; then server_pid=$pid; fi
done
if [ -z "$server_pid" ]; then
  echo "compare: the Wine server of $WINEPREFIX was not found" >&2
  exit 1
fi
hz=$(getconf CLK_TCK)

echo "compare: $(date -u '+%Y-%m-%d %H:%M UTC'), $(wine --version 2>/dev/null), $(nproc) cores ($(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//')), load average $(cut -d' ' -f1-3 /proc/loadavg)"
echo "compare: style: ${style:-none (the system look)}"

if [ -z "$only" ] || [ "$only" = start ]; then
  # One unmeasured start of each first: the first start of a prefix loads and caches more.
  write_ini
  wine "$probe" "$bare_w" >/dev/null 2>&1 || true
  wine "$probe" "$window_set_w" >/dev/null 2>&1 || true
  wine "$probe" "$program_w" >/dev/null 2>&1 || true
  bare_ms=() program_ms=() bare_cpu=() program_cpu=() set_ms=()
  for ((i = 0; i < starts; i++)); do
    out=$(wine "$probe" "$bare_w" 2>/dev/null || true)
    bare_ms+=("$(probe_value usable <<<"$out")") bare_cpu+=("$(probe_value cpu <<<"$out")")
    out=$(wine "$probe" "$window_set_w" 2>/dev/null || true)
    set_ms+=("$(probe_value usable <<<"$out")")
    write_ini
    out=$(wine "$probe" "$program_w" 2>/dev/null || true)
    program_ms+=("$(probe_value usable <<<"$out")") program_cpu+=("$(probe_value cpu <<<"$out")")
  done
  b=$(printf '%s\n' "${bare_ms[@]}" | median)
  p=$(printf '%s\n' "${program_ms[@]}" | median)
  echo "start to a visible, answering window, median of $starts (ms): bare window $b [${bare_ms[*]}], Tapwhile $p [${program_ms[*]}]"
  echo "  ratio $(ratio "$p" "$b") (goal: at most 1.3)"
  w=$(printf '%s\n' "${set_ms[@]}" | median)
  echo "  the program's windows alone (bench/window_set): $w [${set_ms[*]}], ratio $(ratio "$w" "$b") to the bare window;"
  echo "  Tapwhile takes $(ratio "$p" "$w") times as long as its windows alone"
  b=$(printf '%s\n' "${bare_cpu[@]}" | median)
  p=$(printf '%s\n' "${program_cpu[@]}" | median)
  echo "  the programs' own CPU until then (ms): bare window $b [${bare_cpu[*]}], Tapwhile $p [${program_cpu[*]}], ratio $(ratio "$p" "$b")"
fi

# Starts a program, lets it settle, and prints the CPU milliseconds of it and the Wine server
# over the measured seconds.
idle_cpu() {
  wine "$1" >/dev/null 2>&1 &
  local pid=$!
  sleep 15
  if ! kill -0 "$pid" 2>/dev/null; then
    echo "compare: $1 ended early" >&2
    echo nan
    return
  fi
  local p0 s0 p1 s1
  p0=$(cpu_ticks "$pid") s0=$(cpu_ticks "$server_pid")
  sleep "$idle_seconds"
  p1=$(cpu_ticks "$pid") s1=$(cpu_ticks "$server_pid")
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  echo "$(( (p1 - p0) * 1000 / hz )) $(( (s1 - s0) * 1000 / hz ))"
}

if [ -z "$only" ] || [ "$only" = idle ]; then
  read -r rp rs < <(idle_cpu "$reference")
  write_ini
  read -r pp ps < <(idle_cpu "$program")
  echo "CPU over $idle_seconds s after 15 s of settling, both workers on (ms, program + Wine server):"
  echo "  reference $((rp + rs)) ($rp + $rs), Tapwhile $((pp + ps)) ($pp + $ps)"
  echo "  ratio $(ratio $((pp + ps)) $((rp + rs))) (goal: at most 1.2)"
fi

if [ -z "$only" ] || [ "$only" = takeover ]; then
  lines=100000
  hand_over=$temp_dir/tmpB12.tmp
  content=$(mktemp)
  trap 'rm -f "$content"; wineserver -k 2>/dev/null || true' EXIT
  # One line a minute, ending now; as a self-restart writes them (CR LF after each).
  awk -v n=$lines -v now="$(date +%s)" 'BEGIN {
    for (i = 1; i <= n; i++) {
      t = now - (n - i + 1) * 60
      printf "%s #%d $9F after 00:01:00.000 100.0%%\r\n", strftime("%Y/%m/%d %H:%M:%S", t), i
    }}' >"$content"
  attach=$(date -d "@$(( $(date +%s) - lines * 60 - 60 ))" '+%Y/%m/%d %H:%M:%S')
  usable=() longest=() shown=()
  # One unmeasured start first, as above.
  write_ini
  wine "$probe" "$program_w" >/dev/null 2>&1 || true
  for ((i = 0; i < starts; i++)); do
    cp "$content" "$hand_over"
    write_ini "PrevLogFileName=$temp_windows\\tmpB12.tmp" "AttachTime=$attach" "Count1=$lines" "PrevPage=3"
    out=$(wine "$probe" "$program_w" 120 "$lines" 2>/dev/null || true)
    usable+=("$(probe_value usable <<<"$out")")
    longest+=("$(probe_value longest_answer <<<"$out")")
    shown+=("$(probe_value lines_shown <<<"$out")")
  done
  rm -f "$hand_over"
  echo "start with a $lines-line hand-over file on the history page, median of $starts (ms):"
  echo "  usable $(printf '%s\n' "${usable[@]}" | median) [${usable[*]}] (goal: at most 1000)"
  echo "  longest wait for an answer until then $(printf '%s\n' "${longest[@]}" | median) [${longest[*]}]"
  echo "  every line on the history page after $(printf '%s\n' "${shown[@]}" | median) [${shown[*]}] (-1: not within 120 s)"
fi

if [ -z "$only" ] || [ "$only" = trips ]; then
  # A server of its own that traces every request; the trace's lines name the thread that sent
  # them, and the probe's request that started the program names the program's process.
  trace=$(mktemp)
  trap 'rm -f "$trace" "${content:-}"; wineserver -k 2>/dev/null || true' EXIT
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  wine "$probe" "$bare_w" >/dev/null 2>&1 || true  # a server like every other first
  wineserver -k 2>/dev/null || true
  sleep 0.5
  wineserver -p -d1 2>"$trace" &
  sleep 0.5
  # Prints the requests of the process that the probe started last, from the trace's lines after
  # the first N (thread numbers are used again once their threads have ended).
  requests() {
    tail -n "+$(($1 + 1))" "$trace" | awk '
      /^[0-9a-f]+: init_(first_)?thread\(\) = 0 / {
        split($0, p, /pid=|, tid=/); thread = substr($1, 1, length($1) - 1); owner[thread] = p[2]
      }
      /^[0-9a-f]+: new_process\(\) = 0 / { match($0, /pid=[0-9a-f]+/); target = substr($0, RSTART + 4, RLENGTH - 4) }
      /^[0-9a-f]+: [a-z_]+\( / { sent[substr($1, 1, length($1) - 1)]++ }
      END { for (thread in sent) if (owner[thread] == target) total += sent[thread]; print total + 0 }'
  }
  declare -A trips
  for name in bare window_set program; do
    case $name in bare) target=$bare_w ;; window_set) target=$window_set_w ;; program) target=$program_w ;; esac
    write_ini
    wine "$probe" "$target" >/dev/null 2>&1 || true  # unmeasured
    write_ini
    from=$(wc -l <"$trace")
    wine "$probe" "$target" >/dev/null 2>&1 || true
    trips[$name]=$(requests "$from")
  done
  echo "requests to the Wine server until the window answers, one start each: bare window ${trips[bare]}, windows alone (bench/window_set) ${trips[window_set]}, Tapwhile ${trips[program]}"
  echo "  Tapwhile sends $(ratio "${trips[program]}" "${trips[window_set]}") times as many as its windows alone, $(ratio "${trips[program]}" "${trips[bare]}") times as many as the bare window"
fi
