#!/usr/bin/env bash
# Runs every test suite of the project (make test calls it after building): the include direction
# check, the native unit tests, the release package check, the Windows unit tests and the
# end-to-end tests under the Wine bed, and a short fuzz run.
# Each suite's result is printed as it finishes, failures in full; the last line is the total,
# "N passed, N failed". The exit code is non-zero when anything failed, crashed or timed out.
set -uo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$ROOT" || exit 1
# shellcheck source=scripts/winebed.sh
source "$ROOT/scripts/winebed.sh"

NATIVE=${QB_NATIVE_DIR:-$ROOT/build/native}
WIN=${QB_WIN_DIR:-$ROOT/build/win}
FUZZ_DIR=$ROOT/build/fuzz
RESULTS=$ROOT/build/test-results
# The brief fuzz run, shared out among the targets (every one gets at least 2 s).
FUZZ_SECONDS=${QB_TEST_FUZZ_SECONDS:-24}
# End-to-end scenarios whose suite name ends in "InEnglish" run under an English locale.
ENGLISH_FILTER='*InEnglish.*'
# Those whose suite name starts with "HighDpi" run in a bed of their own whose screen has 144 dots
# per inch (150 %).
HIGH_DPI_FILTER='HighDpi*.*'
HIGH_DPI=144
HIGH_DPI_SCREEN=1920x1080x24

total_passed=0
total_failed=0
total_skipped=0
suite_failures=()

rm -rf "$RESULTS"
mkdir -p "$RESULTS/work"

on_exit() { bed_stop; }
trap on_exit EXIT
trap 'echo; echo "interrupted"; exit 130' INT TERM

# Prints the output of every failed test (from its RUN line to its FAILED line).
print_failed_tests() {
  awk '
    /^\[ RUN      \]/ { buf = $0 "\n"; inside = 1; next }
    inside { buf = buf $0 "\n" }
    /^\[       OK \]/ || /^\[  SKIPPED \]/ { inside = 0; buf = "" }
    /^\[  FAILED  \] .* \([0-9]+ ms\)$/ { if (inside) printf "%s", buf; inside = 0; buf = "" }
  ' "$1" | sed 's/^/    /'
}

# suite_result NAME LOG RC SECONDS: counts the cases of a GoogleTest log, prints the suite line and
# adds to the totals. A non-zero exit without a failed case (a crash, a time-out, an exception
# outside a test) counts as one failure more, as does a log without any case at all.
suite_result() {
  local name=$1 log=$2 rc=$3 secs=$4 passed failed skipped note=""
  tr -d '\r' <"$log" >"$log.tmp" && mv "$log.tmp" "$log"
  passed=$(grep -c '^\[       OK \] .* ([0-9]* ms)$' "$log")
  failed=$(grep -c '^\[  FAILED  \] .* ([0-9]* ms)$' "$log")
  skipped=$(grep -c '^\[  SKIPPED \] .* ([0-9]* ms)$' "$log")
  if ((rc == 124 || rc == 137)); then
    note=" - TIMED OUT"
    failed=$((failed + 1))
  elif ((rc != 0)) && ! grep -q '^\[==========\] .* ran\.' "$log"; then
    note=" - crashed (exit code $rc)"
    failed=$((failed + 1))
  elif ((rc != 0 && failed == 0)); then
    note=" - exited with code $rc"
    failed=$((failed + 1))
  elif ((passed + failed + skipped == 0)); then
    note=" - ran no test"
    failed=$((failed + 1))
  fi
  record "$name" "$passed" "$failed" "$skipped" "$secs" "$note"
  if ((failed > 0)); then
    print_failed_tests "$log"
    if [[ -n $note ]]; then
      echo "    --- last lines of $log:"
      tail -n 25 "$log" | sed 's/^/    /'
    fi
  fi
}

record() {
  local name=$1 passed=$2 failed=$3 skipped=$4 secs=$5 note=$6 extra=""
  ((skipped > 0)) && extra=", $skipped skipped"
  printf '%-34s %4d passed, %d failed%s (%d s)%s\n' "$name:" "$passed" "$failed" "$extra" "$secs" "$note"
  total_passed=$((total_passed + passed))
  total_failed=$((total_failed + failed))
  total_skipped=$((total_skipped + skipped))
  ((failed > 0)) && suite_failures+=("$name")
  return 0
}

note_line() {
  printf '%-34s %s\n' "$1:" "$2"
}

missing() {
  record "$1" 0 1 0 0 " - $2"
}

# The includes under src/ run one way (common, platform and settings know no part of the program,
# nothing but app includes app, the folders form no cycle).
run_layer_check() {
  local log=$RESULTS/layers.log start=$SECONDS
  if python3 "$ROOT/scripts/check-layers.py" >"$log" 2>&1; then
    record "include directions" 1 0 0 $((SECONDS - start)) ""
  else
    record "include directions" 0 1 0 $((SECONDS - start)) ""
    sed 's/^/    /' "$log"
  fi
}

run_native_unit() {
  local exe=$NATIVE/quorbell-unit-tests log=$RESULTS/unit.log start=$SECONDS rc
  if [[ ! -x $exe ]]; then missing "native unit tests" "not built ($exe)"; return; fi
  # In the background and waited for: an interrupt then reaches this shell's trap at once.
  (cd "$RESULTS/work" && exec timeout -k 5 300 "$exe" --gtest_color=no) >"$log" 2>&1 </dev/null &
  { wait $!; } 2>/dev/null
  rc=$?
  suite_result "native unit tests" "$log" "$rc" $((SECONDS - start))
}

# wine_suite NAME LOG LOCALE EXE ARGS...
wine_suite() {
  local name=$1 log=$2 locale=$3 start=$SECONDS rc
  shift 3
  # No subshell here: bed_wine waits in this shell, so an interrupt is handled at once.
  cd "$RESULTS/work" || return
  "bed_wine_$locale" -t 600 "$@" --gtest_color=no >"$log" 2>&1
  rc=$?
  cd "$ROOT" || return
  suite_result "$name" "$log" "$rc" $((SECONDS - start))
}

bed_wine_ja() { bed_wine "$@"; }

count_listed_tests() {
  # --gtest_list_tests prints "Suite." lines and indented test names.
  tr -d '\r' | grep -c '^  '
}

run_wine_suites() {
  local wintests=$WIN/quorbell-win-tests.exe e2e=$WIN/quorbell-e2e.exe start english
  [[ -f $wintests || -f $e2e ]] || { missing "end-to-end tests" "not built ($e2e)"; return; }
  start=$SECONDS
  if ! bed_start >"$RESULTS/bed.log" 2>&1; then
    cat "$RESULTS/bed.log"
    missing "Wine test bed" "could not start (see $RESULTS/bed.log)"
    return
  fi
  echo "Wine bed ready on display $QB_DISPLAY in $((SECONDS - start)) s"

  if [[ -f $wintests ]]; then
    wine_suite "Windows unit tests (Wine)" "$RESULTS/win-unit.log" ja "$wintests"
  else
    note_line "Windows unit tests (Wine)" "not built, skipped"
  fi

  if [[ -f $e2e ]]; then
    wine_suite "end-to-end tests (Wine)" "$RESULTS/e2e.log" ja "$e2e" "--gtest_filter=-$ENGLISH_FILTER:$HIGH_DPI_FILTER"
    english=$(bed_wine_en -t 60 "$e2e" --gtest_list_tests "--gtest_filter=$ENGLISH_FILTER" 2>/dev/null |
      count_listed_tests)
    if ((english > 0)); then
      wine_suite "end-to-end tests, English (Wine)" "$RESULTS/e2e-en.log" en "$e2e" \
        "--gtest_filter=$ENGLISH_FILTER"
    fi
  else
    missing "end-to-end tests" "not built ($e2e)"
  fi
  bed_stop
  [[ -f $e2e ]] && run_high_dpi_suite "$e2e"
}

# A fresh bed for the scenarios at another DPI: Wine's one DPI is a setting of the whole prefix. Its
# screen is that of a laptop set to 150 %, 1920 x 1080.
run_high_dpi_suite() {
  local e2e=$1 start=$SECONDS
  if ! QB_SCREEN_SIZE=$HIGH_DPI_SCREEN bed_start >"$RESULTS/bed-high-dpi.log" 2>&1 || ! bed_set_dpi "$HIGH_DPI" >>"$RESULTS/bed-high-dpi.log" 2>&1; then
    cat "$RESULTS/bed-high-dpi.log"
    missing "Wine test bed at $HIGH_DPI dpi" "could not start (see $RESULTS/bed-high-dpi.log)"
    bed_stop
    return
  fi
  echo "Wine bed at $HIGH_DPI dpi ready on display $QB_DISPLAY in $((SECONDS - start)) s"
  wine_suite "end-to-end tests, $HIGH_DPI dpi (Wine)" "$RESULTS/e2e-high-dpi.log" ja "$e2e" "--gtest_filter=$HIGH_DPI_FILTER"
  bed_stop
  unset QB_BED_DPI
}

run_fuzz() {
  local log=$RESULTS/fuzz.log start=$SECONDS rc targets each name
  targets=$(find "$FUZZ_DIR" -maxdepth 1 -name 'fuzz_*' -type f -executable 2>/dev/null | wc -l)
  ((targets > 0)) || { note_line "fuzz" "not built, skipped"; return; }
  each=$((FUZZ_SECONDS / 6 > 2 ? FUZZ_SECONDS / 6 : 2))
  name="fuzz (every target $each s)"
  [[ -x $ROOT/scripts/fuzz.sh ]] || { missing "$name" "scripts/fuzz.sh missing"; return; }
  FUZZ_DIR=$FUZZ_DIR timeout -k 5 $((each * 6 + 120)) "$ROOT/scripts/fuzz.sh" "$each" >"$log" 2>&1 </dev/null &
  wait $!
  rc=$?
  if ((rc == 0)); then
    record "$name" 1 0 0 $((SECONDS - start)) ""
  else
    record "$name" 0 1 0 $((SECONDS - start)) " - exit code $rc"
    tail -n 40 "$log" | sed 's/^/    /'
  fi
}

# The release package made from the Windows build: contents, encodings, same bytes from the same
# inputs, version agreement (tests/dist, Python's unittest).
run_package_check() {
  local log=$RESULTS/package.log start=$SECONDS rc ran failed skipped
  QB_WIN_DIR=$WIN timeout -k 5 120 python3 -m unittest discover -s "$ROOT/tests/dist" -v >"$log" 2>&1 </dev/null
  rc=$?
  ran=$(sed -n 's/^Ran \([0-9]*\) tests\?.*/\1/p' "$log")
  failed=$(grep -c '\.\.\. \(FAIL\|ERROR\)$' "$log")
  skipped=$(grep -c '\.\.\. skipped' "$log")
  if ((rc != 0 && failed == 0)); then failed=1; fi
  record "release package" $((${ran:-0} - failed - skipped)) "$failed" "$skipped" $((SECONDS - start)) ""
  ((rc != 0)) && sed 's/^/    /' "$log"
  return 0
}

overall=$SECONDS
run_layer_check
run_native_unit
run_package_check
run_wine_suites
run_fuzz

echo
echo "Logs: ${RESULTS#"$ROOT"/} ($((SECONDS - overall)) s)"
if ((${#suite_failures[@]} > 0)); then
  echo "Failing suites: ${suite_failures[*]}"
fi
if ((total_skipped > 0)); then
  echo "$total_passed passed, $total_failed failed, $total_skipped skipped"
else
  echo "$total_passed passed, $total_failed failed"
fi
((total_failed == 0))
