#!/usr/bin/env bash
# Makes the pictures of docs/screenshots/: runs build/win/quorbell-screenshots.exe in a Wine bed
# of its own (Japanese Windows, as a Japanese user sees the program), which starts the real
# Quorbell.exe with a demonstration settings file and saves each window as a BMP file, then turns
# those into PNG files without time stamps, so that an unchanged window gives an unchanged file.
set -uo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# shellcheck source=scripts/winebed.sh
source "$ROOT/scripts/winebed.sh"

WIN=${QB_WIN_DIR:-$ROOT/build/win}
EXE=$WIN/quorbell-screenshots.exe
RAW=$WIN/screenshots
OUT=$ROOT/docs/screenshots
LOG=$ROOT/build/screenshots.log

[[ -f $EXE ]] || { echo "screenshots.sh: $EXE is missing (make screenshots builds it)" >&2; exit 1; }
trap bed_stop EXIT
rm -rf "$RAW"
bed_start >"$LOG" 2>&1 || { cat "$LOG"; echo "screenshots.sh: the Wine bed did not start" >&2; exit 1; }
(cd "$WIN" && bed_wine -t 600 "$EXE" --gtest_color=no) >>"$LOG" 2>&1
rc=$?
bed_stop
if ((rc != 0)); then
  grep -E '^\[  FAILED  \]|Failure|error' "$LOG" | head -n 40
  echo "screenshots.sh: the picture run failed (exit code $rc, see ${LOG#"$ROOT"/}); docs/screenshots is unchanged" >&2
  exit 1
fi

mkdir -p "$OUT"
count=0
for bmp in "$RAW"/*.bmp; do
  [[ -f $bmp ]] || continue
  png=$OUT/$(basename "${bmp%.bmp}").png
  convert "$bmp" -strip -define png:exclude-chunks=date,time "png:$png" || exit 1
  count=$((count + 1))
done
echo "$count pictures in ${OUT#"$ROOT"/}:"
(cd "$OUT" && for f in *.png; do identify -format "  %f %wx%h " "$f"; stat -c '%s bytes' "$f"; done)
