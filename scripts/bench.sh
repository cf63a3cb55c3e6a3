#!/usr/bin/env bash
# Runs every benchmark (make bench calls it after building): build/native/bench/bench-* natively,
# then build/win/bench/bench-*.exe in the Wine bed. Benchmarks print figures and assert nothing;
# the exit code is non-zero only when one of them could not run to its end.
set -uo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$ROOT" || exit 1
# shellcheck source=scripts/winebed.sh
source "$ROOT/scripts/winebed.sh"

NATIVE=${QB_NATIVE_DIR:-$ROOT/build/native}
WIN=${QB_WIN_DIR:-$ROOT/build/win}
failed=()

trap 'bed_stop' EXIT
trap 'echo; echo "interrupted"; exit 130' INT TERM

heading() { printf '\n== %s\n' "$1"; }

# Arguments some benchmarks need: StartupBench takes the program to start.
bench_args() {
  case $(basename "$1") in
  bench-StartupBench.exe) bed_winpath "$WIN/Quorbell.exe" ;;
  esac
}

shopt -s nullglob
native=("$NATIVE"/bench/bench-*)
windows=("$WIN"/bench/bench-*.exe)

for bench in "${native[@]}"; do
  [[ -f $bench && -x $bench ]] || continue
  heading "$(basename "$bench") (native)"
  timeout -k 5 600 "$bench" </dev/null &
  wait $! || failed+=("$(basename "$bench")")
done

if ((${#windows[@]} > 0)); then
  if ! bed_start >"$ROOT/build/bench-bed.log" 2>&1; then
    cat "$ROOT/build/bench-bed.log"
    echo "the Wine bed did not start"
    exit 1
  fi
  for bench in "${windows[@]}"; do
    heading "$(basename "$bench") (Wine)"
    mapfile -t args < <(bench_args "$bench")
    bed_wine -t 600 "$bench" "${args[@]}" || failed+=("$(basename "$bench")")
  done
  bed_stop
fi

if ((${#native[@]} + ${#windows[@]} == 0)); then
  echo "no benchmarks built (make build first)"
  exit 1
fi
echo
if ((${#failed[@]} > 0)); then
  echo "did not finish: ${failed[*]}"
  exit 1
fi
echo "all benchmarks finished"
