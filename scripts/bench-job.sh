#!/usr/bin/env bash
# Time and peak memory of vex job: on every board among gerbv's examples that has copper (its
# copper layers, drill files and outline where it has them), then on a generated board of a
# million draws and 100,000 pads on each side, a copper pour and 100,000 holes made in memory
# (job/bench/VexJob_Bench), and the board of scripts/bench-verify.sh (a million draws and
# 100,000 pads, no pour) written as Gerber and Excellon with vex to-gerber and to-excellon.
#
#   VEX_BENCH_BUILD  build folder (default build-bench)
#   $1               traces of the generated board (default 50000: a million draws; 0 skips it)
#   $2               folder for the files (default: a temporary one, removed afterwards)
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD="${VEX_BENCH_BUILD:-build-bench}"
TRACES="${1:-50000}"
if [ -z "${VEX_BENCH_NO_BUILD:-}" ]; then
  bash scripts/install-deps.sh
  cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVEX_BUILD_BENCH=ON >/dev/null
  cmake --build "$BUILD" -j"${JOBS:-2}" --target VexVerify_Bench VexJob_Bench vex
fi
if [ -n "${2:-}" ]; then
  DIR="$2"
  mkdir -p "$DIR"
else
  DIR="$(mktemp -d)"
  trap 'rm -rf "$DIR"' EXIT
fi
VEX="$BUILD/vex"
EX=/usr/share/doc/gerbv/examples

# Runs vex job with the arguments and prints a row: board, wall and processor time, peak resident
# memory, exit status, and the contours and arcs of the job.
measure() {
  local what="$1"
  shift
  local log="$DIR/time.log" status=0
  /usr/bin/time -f '%e %U %S %M' -o "$log" "$VEX" job "$@" -o "$DIR/job.vex" >/dev/null \
    2>"$DIR/stderr.log" || status=$?
  local contours arcs
  contours=$( (grep -o '[0-9]* contours (' "$DIR/stderr.log" || true) | awk '{ s += $1 } END { print s + 0 }')
  arcs=$( (grep -o '([0-9]* arcs' "$DIR/stderr.log" || true) | tr -d '(' | awk '{ s += $1 } END { print s + 0 }')
  awk -v what="$what" -v status="$status" -v contours="$contours" -v arcs="$arcs" \
    '{ printf "| %-36s | %7.2f s | %7.2f s | %6.0f MB | %s | %8d | %7d |\n", what, $1, $2 + $3, $4 / 1024, status, contours, arcs }' \
    <(tail -n 1 "$log")
}

echo "| board | wall | processor | peak memory | exit | contours | arcs |"
echo "|---|---|---|---|---|---|---|"
P=$EX/protel-pnp/SE_SG_IF_V2
measure "protel-pnp (2 sides, drill, outline)" --top $P.GTL --bottom $P.GBL --drill $P.TXT --outline $P.GM1 --tabs 4
measure "hellboard (2 sides, drill)" --top $EX/hellboard/hellboard.front.gbr \
  --bottom $EX/hellboard/hellboard.back.gbr --drill $EX/hellboard/hellboard.plated-drill.cnc
measure "numpres (2 sides, drill)" --top $EX/numpres/numpres.pcb.output_group1.grb \
  --bottom $EX/numpres/numpres.pcb.output_group2.grb \
  --drill $EX/numpres/numpres.pcb.output_plated-drill.grb \
  --drill $EX/numpres/numpres.pcb.output_unplated-drill.grb
measure "orcad rs232 (2 sides, drill)" --top $EX/orcad/rs232_cm.top --bottom $EX/orcad/rs232_cm.bot \
  --drill $EX/orcad/thruhole.tap
measure "nollezappare (bottom, drill)" --bottom $EX/nollezappare/EtchLayer2Bottom.gdo \
  --drill $EX/nollezappare/ThruHolePlated.ncd
measure "ekf2 (l0, drill)" --top $EX/ekf2/l0.grb --drill $EX/ekf2/drill0.exc
measure "eaglecad1 top" --top $EX/eaglecad1/top-cop.gbx
measure "dan top" --top $EX/dan/top.gbx
measure "dan top (step and repeat)" --top $EX/dan/top_sr.gbx
measure "jj l1" --top $EX/jj/l1-orig.grb
measure "thermal dsp" --top $EX/thermal/dsp.GP1
measure "polarity 6_vbat" --top $EX/polarity/6_vbat.gbr
measure "Mentor artwork_1" --top $EX/Mentor-BoardStation/artwork_1.grb
measure "uwe example" --top $EX/uwe/example.gbr
measure "am-test" --top $EX/am-test/am-test.gbx
measure "cslk" --top $EX/cslk/cslk.gbx

if [ "$TRACES" != 0 ]; then
  # The generated board with a pour, made in memory (no file reading or writing).
  "$BUILD/job/VexJob_Bench" "$TRACES" "$((TRACES * 2))" 2>"$DIR/bench.log"
  # The board of the design check's benchmark, written as Gerber and Excellon files.
  "$BUILD/verify/VexVerify_Bench" "$TRACES" "$DIR" >/dev/null
  "$VEX" to-excellon "$DIR/drills.vex" -o "$DIR/drills.drl" 2>/dev/null >/dev/null
  "$VEX" to-gerber "$DIR/copper.vex" -o "$DIR/copper.gbr" 2>/dev/null >/dev/null
  measure "generated: $TRACES traces per side" --top "$DIR/copper.gbr" --bottom "$DIR/copper.gbr" \
    --drill "$DIR/drills.drl"
fi
