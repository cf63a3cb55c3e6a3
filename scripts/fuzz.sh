#!/usr/bin/env bash
# Runs the fuzz targets one after the other, each for SECONDS (default 60), and prints a line per
# target: its time, the size of its corpus and whether it found something. Exit code non-zero on a
# finding; the input that broke a target is kept in artifacts/<target>/ next to the fuzzers, the
# growing corpus in corpus/<target>/; the checked-in seeds (tests/fuzz/seeds/<target>/) are only
# read, and replayed first, so every kept regression input runs on each call.
#   scripts/fuzz.sh [SECONDS] [TARGET...]     TARGET: ini, key_notation... (default: all of them)
# FUZZ_DIR names the folder of the built fuzzers (default build/fuzz).
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
seconds=${1:-60}
shift || true
dir=${FUZZ_DIR:-$root/build/fuzz}
all_targets=(ini key_notation day_note stored_text setting_numbers bmp)
[[ $# -gt 0 ]] && targets=("$@") || targets=("${all_targets[@]}")

if [[ ! $seconds =~ ^[0-9]+$ ]] || ((seconds < 1)); then
  echo "usage: scripts/fuzz.sh [SECONDS] [TARGET...]" >&2
  exit 2
fi
for target in "${targets[@]}"; do
  if [[ ! -x $dir/fuzz_$target ]]; then
    echo "fuzz.sh: $dir/fuzz_$target is not built (make fuzz-build)" >&2
    exit 2
  fi
done

failed=()
summary=()
for target in "${targets[@]}"; do
  corpus=$dir/corpus/$target
  artifacts=$dir/artifacts/$target
  seeds=$root/tests/fuzz/seeds/$target
  mkdir -p "$corpus" "$artifacts"
  folders=("$corpus")
  [[ -d $seeds ]] && folders+=("$seeds")
  echo "=== $target: $seconds s"
  start=$SECONDS
  # New inputs go to the first folder (the working corpus). -max_len leaves room for settings
  # values longer than the 4095-byte read limit.
  if "$dir/fuzz_$target" -max_total_time="$seconds" -max_len=20000 -timeout=20 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$artifacts/" "${folders[@]}"; then
    result=ok
  else
    result=FINDING
    failed+=("$target")
  fi
  summary+=("$(printf '%-16s %5d s  corpus %5d inputs  %s' "$target" $((SECONDS - start)) \
    "$(find "$corpus" -type f | wc -l)" "$result")")
done

echo
printf '%s\n' "${summary[@]}"
if ((${#failed[@]} > 0)); then
  echo "findings in: ${failed[*]} (inputs in $dir/artifacts/)"
  exit 1
fi
