#!/usr/bin/env bash
# The project's test command. Installs what is missing, then builds and runs every test:
#   format       every C++ file as .clang-format has it
#   native       the portable core and its unit tests with the host compiler
#   native-asan  the same with AddressSanitizer and UndefinedBehaviorSanitizer
#   win64        the Windows build (MinGW-w64), its tests under Wine on a virtual X display,
#                with the Japanese locale
#   win64-clang  the Windows build again with clang and lld against the same MinGW-w64 headers
#                and libraries, warnings as errors; its unit and window tests under Wine, the
#                same way
#   release      the release zip built twice from empty folders, compared byte for byte, and
#                its program started from a folder named in Japanese
# Stops at the first failure with a non-zero exit and prints a summary of the stages.
# Usage: bash tools/test.sh   (from any folder)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

logs=build/logs
summary=()
tests_passed=0
tests_failed=0
tests_skipped=0
current=

# Tests that may be skipped, as "<ctest name regex>|<reason>" lines. A skip that no line allows
# fails the run: CI must see every test run. None is allowed today.
allowed_skips=()

duration() {
  local s=$1
  if [ "$s" -ge 60 ]; then printf '%dm%02ds' $((s / 60)) $((s % 60)); else printf '%ds' "$s"; fi
}

wine_running=no

finish() {
  local rc=$?
  if [ "$wine_running" = yes ]; then
    wineserver -k 2>/dev/null || true
  fi
  [ -n "$current" ] && summary+=("$(printf '%-24s %-7s' "$current" FAILED)")
  echo
  echo "==== summary ================================="
  printf '%s\n' "${summary[@]}"
  echo "total: $(duration "$SECONDS")"
  if [ "$rc" -eq 0 ]; then echo "result: all stages passed"; else echo "result: FAILED (exit $rc)"; fi
  echo "tests: $tests_passed passed, $tests_failed failed, $tests_skipped skipped"
}
trap finish EXIT

# stage NAME COMMAND...: runs one step, timed; the script ends at the first failing step.
stage() {
  current=$1
  shift
  echo
  echo "==== $current ===="
  local start=$SECONDS
  "$@"
  summary+=("$(printf '%-24s %-7s %s' "$current" ok "$(duration $((SECONDS - start)))")")
  current=
}

# skip_allowed NAME: prints the reason when allowed_skips lets the test NAME be skipped.
skip_allowed() {
  local entry
  for entry in "${allowed_skips[@]}"; do
    if [[ $1 =~ ${entry%%|*} ]]; then
      echo "${entry#*|}"
      return 0
    fi
  done
  return 1
}

# run_ctest LOGNAME PRESET [CTEST ARGS...] [-- WRAPPER...]: runs one test preset (through
# WRAPPER if given) and adds its counts to the totals. A preset that finds no test fails: a
# green run must have tested something. A test that did not run (skipped or disabled) counts
# apart from the passed ones and fails the step unless allowed_skips allows it.
run_ctest() {
  local log=$logs/ctest-$1.log preset=$2 rc=0
  shift 2
  local args=() wrapper=()
  while [ $# -gt 0 ] && [ "$1" != -- ]; do args+=("$1"); shift; done
  [ $# -gt 0 ] && { shift; wrapper=("$@"); }
  "${wrapper[@]}" ctest --preset "$preset" --no-tests=error "${args[@]}" 2>&1 | tee "$log" || rc=$?
  local counts not_run=() name reason unallowed=0
  counts=$(sed -n 's/.* \([0-9][0-9]*\) tests failed out of \([0-9][0-9]*\).*/\1 \2/p' "$log" | tail -n 1)
  mapfile -t not_run < <(sed -n 's/^[[:space:]]*[0-9][0-9]* - \(.*\) (\(Skipped\|Disabled\|Not Run\))$/\1/p' "$log")
  if [ -n "$counts" ]; then
    local failed total
    read -r failed total <<<"$counts"
    tests_failed=$((tests_failed + failed))
    tests_skipped=$((tests_skipped + ${#not_run[@]}))
    tests_passed=$((tests_passed + total - failed - ${#not_run[@]}))
  fi
  for name in "${not_run[@]}"; do
    if reason=$(skip_allowed "$name"); then
      echo "skipped, allowed: $name ($reason)"
    else
      echo "skipped without an allowed reason: $name" >&2
      unallowed=$((unallowed + 1))
    fi
  done
  [ "$rc" -eq 0 ] || return "$rc"
  [ "$unallowed" -eq 0 ] || { echo "$unallowed test(s) did not run" >&2; return 1; }
}

mkdir -p "$logs"
stage "deps" bash tools/deps.sh

# One code format for the whole tree (.clang-format); a file that differs fails the run and is
# named. Mend with: clang-format -i FILE
check_format() {
  local files
  mapfile -t files < <(git ls-files '*.cpp' '*.h')
  [ ${#files[@]} -gt 0 ] || { echo "no C++ files found: is this a git checkout?" >&2; return 1; }
  clang-format --dry-run --Werror "${files[@]}"
}
stage "format" check_format

export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}
for preset in native native-asan; do
  stage "$preset: configure" cmake --preset "$preset"
  stage "$preset: build" cmake --build --preset "$preset"
  stage "$preset: test" run_ctest "$preset" "$preset"
done

# Fuzzing: a short, bounded libFuzzer run of each tests/fuzz target (clang, natively), seeded
# from tests/fuzz/corpus/<target>/. The inputs it adds and any failing input stay in build/fuzz/.
fuzz_seconds=20
fuzz_run() {
  local seeds name fuzzer log
  for seeds in tests/fuzz/corpus/*/; do
    name=$(basename "$seeds")
    fuzzer=build/fuzz/tests/fuzz/fuzz_$name
    log=$logs/fuzz-$name.log
    if [ ! -x "$fuzzer" ]; then
      echo "$fuzzer was not built (the top-level CMakeLists.txt adds tests/fuzz when TAPWHILE_FUZZ is on)" >&2
      return 1
    fi
    mkdir -p "build/fuzz/corpus/$name"
    if ! "$fuzzer" -max_total_time="$fuzz_seconds" -print_final_stats=1 \
        -artifact_prefix="build/fuzz/$name-" "build/fuzz/corpus/$name" "$seeds" >"$log" 2>&1; then
      tail -n 40 "$log"
      echo "fuzz_$name failed: the input is in build/fuzz/$name-*, the log in $log" >&2
      return 1
    fi
    echo "fuzz_$name: $(sed -n 's/^stat::number_of_executed_units: *//p' "$log") inputs in ${fuzz_seconds}s"
  done
}
stage "fuzz: configure" cmake --preset fuzz
stage "fuzz: build" cmake --build --preset fuzz
stage "fuzz: run" fuzz_run

stage "win64: configure" cmake --preset win64
stage "win64: build" cmake --build --preset win64
# A second compiler over the same code and libraries: what one compiler lets pass, the other
# may not.
stage "win64-clang: configure" cmake --preset win64-clang
stage "win64-clang: build" cmake --build --preset win64-clang

# The release zip twice, each from an empty build folder, must be the same bytes. The second
# build compiles without the compiler cache, so a compiler output that differs shows too.
release_twice() {
  rm -rf build/repro
  local first second
  first=$(bash tools/release.sh build/repro/first | tail -n 1)
  second=$(CCACHE_DISABLE=1 bash tools/release.sh build/repro/second | tail -n 1)
  if ! cmp "$first" "$second"; then
    echo "two builds of one commit gave different zips: $first and $second" >&2
    return 1
  fi
  echo "same bytes: $(cut -d ' ' -f 1 "$first.sha256") $(basename "$first")"
  release_zip=$first
}
stage "release: built twice" release_twice

# The Wine stages: the project's prefix, HOME and XDG folders (tools/wine-env.sh), the users'
# locale, one Wine server kept alive for the whole run and ended at the end, whatever happens.
source tools/wine-env.sh
export LC_ALL=ja_JP.UTF-8 LANG=ja_JP.UTF-8
stage "wine prefix" bash tools/wine-prefix.sh
# A server left by an earlier Wine command ends by itself within seconds; a program still
# running in the prefix (tools/run.sh) would not, and would disturb the tests.
if ! wineserver -p && ! { timeout 15 wineserver -w && wineserver -p; }; then
  echo "A Wine server is still running for $WINEPREFIX: end the program that uses it." >&2
  exit 1
fi
wine_running=yes
stage "win64: test" run_ctest win64 win64 -- xvfb-run -a -s "-screen 0 1280x800x24"
# The window tests once more under a locale whose formats differ from the users' (decimal
# comma, other date order and names).
stage "win64: window tests, da_DK" run_ctest win64-da_DK win64 -L window -- \
  env LC_ALL=da_DK.UTF-8 LANG=da_DK.UTF-8 xvfb-run -a -s "-screen 0 1280x800x24"
# The clang build's unit and window tests (the end-to-end runs of the program stay with gcc's
# build, the one that ships).
stage "win64-clang: test" run_ctest win64-clang win64-clang -L '^(unit|window)$' -- \
  xvfb-run -a -s "-screen 0 1280x800x24"
# The program from the zip, unpacked as a user does into a folder named in Japanese with a space.
stage "release: start from the zip" bash tools/release-start.sh "$release_zip"
