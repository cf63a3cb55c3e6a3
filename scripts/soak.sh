#!/usr/bin/env bash
# The long soak (make soak calls it after building): the resident program driven through 1000
# cycles of every window opened and closed, 5000 hotkey actions and 1000 tray menus in a Wine bed
# of its own, then its private memory and GDI/USER object counts after the first 100 cycles and
# at the end. `make test` runs a short round of the same scenario.
set -uo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$ROOT" || exit 1
# shellcheck source=scripts/winebed.sh
source "$ROOT/scripts/winebed.sh"

WIN=${QB_WIN_DIR:-$ROOT/build/win}
E2E=$WIN/quorbell-e2e.exe
LIMIT=${QB_SOAK_SECONDS:-5400}

[[ -f $E2E ]] || { echo "not built: $E2E (make build first)"; exit 1; }
trap 'bed_stop' EXIT
trap 'echo; echo "interrupted"; exit 130' INT TERM

if ! bed_start >"$ROOT/build/soak-bed.log" 2>&1; then
  cat "$ROOT/build/soak-bed.log"
  echo "the Wine bed did not start"
  exit 1
fi
mkdir -p "$ROOT/build/soak-work"
cd "$ROOT/build/soak-work" || exit 1
QB_SOAK=full bed_wine -t "$LIMIT" "$E2E" --gtest_filter='Soak.*' --gtest_color=no 2>&1 | tr -d '\r' |
  tee "$ROOT/build/soak.log"
rc=${PIPESTATUS[0]}
bed_stop
exit "$rc"
