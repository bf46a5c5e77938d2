#!/usr/bin/env bash
# Time and peak memory of vex render --under and vex verify on a generated board whose designs are
# an Excellon drill file and a Gerber copper layer: the board of scripts/bench-verify.sh (a million
# draws, 100,000 pads and holes; a job of 100,000 hits and 50,000 isolation contours with a few
# planted faults), its designs written with vex to-excellon and vex to-gerber.
#
#   VEX_BENCH_BUILD  build folder (default build-bench)
#   $1               traces of the board (default 50000: a million draws)
#   $2               folder for the files (default: a temporary one, removed afterwards)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
BUILD="${VEX_BENCH_BUILD:-build-bench}"
TRACES="${1:-50000}"
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVEX_BUILD_BENCH=ON >/dev/null
cmake --build "$BUILD" -j"${JOBS:-2}" --target VexVerify_Bench vex
if [ -n "${2:-}" ]; then
  DIR="$2"
  mkdir -p "$DIR"
else
  DIR="$(mktemp -d)"
  trap 'rm -rf "$DIR"' EXIT
fi
VEX="$BUILD/vex"

# The board's job and designs as machine files, then the designs as the PCB world writes them.
"$BUILD/verify/VexVerify_Bench" "$TRACES" "$DIR" >/dev/null
"$VEX" to-excellon "$DIR/drills.vex" -o "$DIR/drills.drl" 2>/dev/null >/dev/null
"$VEX" to-gerber "$DIR/copper.vex" -o "$DIR/copper.gbr" 2>/dev/null >/dev/null

# Runs a command and prints a row: what, processor time, wall time, peak resident memory.
measure() {
  local what="$1"
  shift
  # time writes a line of its own before the figures when the command's exit status is not 0.
  local log="$DIR/time.log" status=0
  /usr/bin/time -f '%U %S %e %M' -o "$log" "$@" >/dev/null 2>"$DIR/stderr.log" || status=$?
  awk -v what="$what" -v status="$status" \
    '{ printf "| %-52s | %6.2f s | %6.2f s | %6.0f MB | %s |\n", what, $1 + $2, $3, $4 / 1024, status }' \
    <(tail -n 1 "$log")
}

printf 'Board of %s traces: %s (%s MB), %s (%s MB), job %s (%s MB)\n\n' "$TRACES" \
  copper.gbr "$(du -m "$DIR/copper.gbr" | cut -f1)" drills.drl "$(du -m "$DIR/drills.drl" | cut -f1)" \
  job.vex "$(du -m "$DIR/job.vex" | cut -f1)"
printf '| %-52s | %8s | %8s | %9s | %s |\n' "command" "CPU" "wall" "peak RSS" "exit"
printf '|%s|%s|%s|%s|%s|\n' "$(printf -- '-%.0s' {1..54})" "----------" "----------" \
  "-----------" "------"
measure "vex info copper.gbr (reading the Gerber file alone)" "$VEX" info "$DIR/copper.gbr"
measure "vex info drills.drl (reading the drill file alone)" "$VEX" info "$DIR/drills.drl"
measure "vex render job.vex --under copper.gbr drills.drl" \
  "$VEX" render "$DIR/job.vex" --under "$DIR/copper.gbr" "$DIR/drills.drl" -o "$DIR/overlay.svg"
measure "vex verify job.vex --against drills.drl copper.gbr" \
  "$VEX" verify "$DIR/job.vex" --against "drill:$DIR/drills.drl" --against "copper:$DIR/copper.gbr" \
  -o "$DIR/report.txt"
printf '\nThe overlay picture is %s MB; the report found what was planted (exit status 1).\n' \
  "$(du -m "$DIR/overlay.svg" | cut -f1)"
