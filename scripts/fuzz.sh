#!/usr/bin/env bash
# Runs the settings-file fuzzer for SECONDS (default 60). Exit code non-zero on a finding; the
# input that broke it is kept in artifacts/ next to the fuzzer, the growing corpus in corpus/.
#   scripts/fuzz.sh [SECONDS] [FUZZER]     FUZZER defaults to build/fuzz/fuzz_ini (or $FUZZ_INI)
# FUZZ_CORPUS and FUZZ_ARTIFACTS override the two folders.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
seconds=${1:-60}
fuzzer=${2:-${FUZZ_INI:-$root/build/fuzz/fuzz_ini}}
corpus=${FUZZ_CORPUS:-$(dirname "$fuzzer")/corpus}
artifacts=${FUZZ_ARTIFACTS:-$(dirname "$fuzzer")/artifacts}

if [[ ! $seconds =~ ^[0-9]+$ ]]; then
  echo "usage: scripts/fuzz.sh [SECONDS] [FUZZER]" >&2
  exit 2
fi
if [[ ! -x $fuzzer ]]; then
  echo "fuzz.sh: $fuzzer is not built (make fuzz-build)" >&2
  exit 2
fi
mkdir -p "$corpus" "$artifacts"

# New inputs go to the first folder (the working corpus); the checked-in seeds are only read.
# -max_len leaves room for values longer than the 4095-byte read limit.
"$fuzzer" -max_total_time="$seconds" -max_len=20000 -timeout=20 -rss_limit_mb=2048 \
  -print_final_stats=1 -artifact_prefix="$artifacts/" "$corpus" "$root/tests/fuzz/seeds"
