#!/usr/bin/env bash
# vex job beside a free g-code generator on the same board, both checked by vex verify.
#
# pcb-rnd (Debian's pcb-rnd-core, pcb-rnd-export, pcb-rnd-io-standard; installed here when
# missing, as root) draws a test board (scripts/make-peer-board.py: trace pairs at gaps from 0.10
# to 0.40 mm, rows of pads 0.27 and 0.15 mm apart, a copper pour with vias and a trace in it) and
# exports it as Gerber and Excellon and as its own isolation g-code. vex job makes the job from the
# Gerber and Excellon files with the same cutter; the g-code's cutting moves become a model
# (scripts/gcode-to-model.py). vex verify then checks both jobs against the same copper layer and
# the table gives, per cutter and program: the contours, the places the program itself said it
# could not isolate, the bridges verify finds (islands of copper still joined) and the path that
# runs through copper.
#
#   bash scripts/compare-peer.sh [--pictures DIR]
#
#   --pictures DIR  also draws both 0.2 mm jobs over the pads (DIR/peer_pads_pcb-rnd.svg,
#                   DIR/peer_pads_vex.svg)
#   VEX_BUILD_DIR   the build folder of vex (default build; vex and VexData are built there first)
set -euo pipefail
cd "$(dirname "$0")/.."
PICTURES=""
if [ "${1:-}" = "--pictures" ]; then PICTURES="$2"; fi
BUILD="${VEX_BUILD_DIR:-build}"
cmake --build "$BUILD" -j"${JOBS:-2}" --target vex VexData >/dev/null
VEX="$PWD/$BUILD/vex"
if ! command -v pcb-rnd >/dev/null || [ ! -e /usr/lib/pcb-rnd/plugins/io_pcb.so ] ||
  [ ! -e /usr/lib/pcb-rnd/plugins/export_gcode.so ]; then
  apt-get install -y --no-install-recommends pcb-rnd-core pcb-rnd-export pcb-rnd-io-standard >/dev/null
fi
DIR=$(mktemp -d)
trap 'rm -rf "$DIR"' EXIT
python3 scripts/make-peer-board.py >"$DIR/board.pcb"
HEIGHT=$(sed -n 's/^PCB\["[^"]*" [0-9.]*mm \([0-9.]*\)mm\]/\1/p' "$DIR/board.pcb")
(
  cd "$DIR"
  pcb-rnd -x gerber --gerberfile board board.pcb >/dev/null 2>&1
  pcb-rnd -x excellon --filename board board.pcb >/dev/null 2>&1
)
TOP="$DIR/board.top.copper.none.3.gbr"
OUTLINE="$DIR/board.global.boundary.uroute.5.gbr"
DRILL="$DIR/board.plated.cnc"

# Numbers from vex verify's report: bridges, places and length of path in copper.
findings() {
  local aReport="$1"
  local aBridges aPlaces aLength
  aBridges=$(sed -n 's/.*Findings: \([0-9]*\) bridges.*/\1/p' "$aReport")
  aPlaces=$(sed -n 's/.*Findings: \([0-9]*\) places, \([0-9.]*\) mm of path in copper.*/\1/p' "$aReport")
  aLength=$(sed -n 's/.*Findings: \([0-9]*\) places, \([0-9.]*\) mm of path in copper.*/\2/p' "$aReport")
  printf '%8s %10s %12s' "${aBridges:-0}" "${aPlaces:-0}" "${aLength:-0}"
}

printf '%-7s %-8s %9s %11s %8s %10s %12s\n' cutter program contours not-isol. bridges "in copper" "copper mm"
for TOOL in 0.2 0.1; do
  NAME=$(printf 'Iso%.2f' "$TOOL")
  # pcb-rnd's g-code export ends with a crash on some boards after writing its files; what it
  # wrote is what is compared.
  (cd "$DIR" && pcb-rnd -x gcode --dias "${TOOL}mm" --outfile "g$TOOL" board.pcb >"g$TOOL.log" 2>&1 || true)
  python3 scripts/gcode-to-model.py "$DIR/g$TOOL.top.copper.none.3.cnc" "$TOOL" "$HEIGHT" >"$DIR/peer$TOOL.json"
  PEER_CONTOURS=$(grep -o '"elements"' "$DIR/peer$TOOL.json" | wc -l)
  PEER_REMOVED=$(sed -n 's/.*had to remove \([0-9]*\) cuts.*/\1/p' "$DIR/g$TOOL.log" | head -1)
  "$VEX" verify "$DIR/peer$TOOL.json" --against "$TOP" >"$DIR/peer$TOOL.txt" 2>&1 || true
  printf '%-7s %-8s %9s %11s %s\n' "$TOOL" pcb-rnd "$PEER_CONTOURS" "${PEER_REMOVED:-0} cuts" "$(findings "$DIR/peer$TOOL.txt")"

  "$VEX" job --top "$TOP" --drill "$DRILL" --outline "$OUTLINE" --isolation-tool "$NAME" \
    --json -o "$DIR/vex$TOOL.json" >"$DIR/job$TOOL.txt" 2>&1 || true
  OURS_CONTOURS=$(sed -n "s/.*$NAME ([0-9.]* mm): \([0-9]*\) contours.*/\1/p" "$DIR/job$TOOL.txt" | head -1)
  OURS_PLACES=$(grep -c 'cannot be isolated' "$DIR/job$TOOL.txt" || true)
  "$VEX" verify "$DIR/vex$TOOL.json" --against "$TOP" --against "drill:$DRILL" \
    --against "outline:$OUTLINE" >"$DIR/vex$TOOL.txt" 2>&1 || true
  printf '%-7s %-8s %9s %11s %s\n' "$TOOL" vex "$OURS_CONTOURS" "$OURS_PLACES places" "$(findings "$DIR/vex$TOOL.txt")"
done

if [ -n "$PICTURES" ]; then
  mkdir -p "$PICTURES"
  "$VEX" render "$DIR/peer0.2.json" --under "$TOP" --window 20,18,33,28 -o "$PICTURES/peer_pads_pcb-rnd.svg" >/dev/null
  "$VEX" render "$DIR/vex0.2.json" --under "$TOP" --window 20,18,33,28 -o "$PICTURES/peer_pads_vex.svg" >/dev/null
fi
