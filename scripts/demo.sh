#!/usr/bin/env bash
# Runs vex on the samples: a summary of a file, a conversion with a tool mapping, the first
# records of a file as the dump lists them, and an SVG picture of every sample in out/demo/.
# Uses the vex of ${VEX_BUILD_DIR:-build} (bash scripts/build.sh builds it).
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD="${VEX_BUILD_DIR:-build}"
VEX="$BUILD/vex"
OUT="out/demo"
if [ ! -x "$VEX" ]; then
  echo "demo: $VEX not found; build first (bash scripts/build.sh)" >&2
  exit 1
fi
mkdir -p "$OUT"

# Prints a heading and the command (arguments with shell characters in single quotes), then runs it.
step() {
  printf '\n== %s\n$' "$1"
  for arg in "${@:2}"; do
    if [[ "$arg" =~ ^[A-Za-z0-9_./:=,+-]+$ ]]; then printf ' %s' "$arg"; else printf " '%s'" "$arg"; fi
  done
  printf '\n'
  "${@:2}"
}

step "What a machine file holds" "$VEX" info samples/isolation.vex

# Mill the isolation paths of layer Top made with tool Iso0.2 as phase Milling with tool T01;
# everything else keeps its names.
step "Rewrite with a tool mapping" "$VEX" convert samples/isolation.vex "$OUT/isolation-mapped.vex" \
  --param 'vex.map:false;Isolation;Top;Iso0.2;Milling;Top;T01'
step "The mapped file" "$VEX" info "$OUT/isolation-mapped.vex"

printf '\n== The first records of a file, with byte offsets\n$ %s dump samples/drills.vex | head -n 30\n' "$VEX"
"$VEX" dump samples/drills.vex >"$OUT/drills.dump.txt"
head -n 30 "$OUT/drills.dump.txt"
echo "... (whole listing in $OUT/drills.dump.txt)"

# A cut file: the dump lists what it could read, then where and why it stopped, and exits with
# the reader's status.
head -c 178 samples/board-outline.vex >"$OUT/board-outline-cut.vex"
printf '\n== Where a damaged file goes wrong\n$ %s dump %s | tail -n 4\n' "$VEX" "$OUT/board-outline-cut.vex"
status=0
"$VEX" dump "$OUT/board-outline-cut.vex" >"$OUT/board-outline-cut.dump.txt" 2>/dev/null || status=$?
tail -n 4 "$OUT/board-outline-cut.dump.txt"
echo "(exit status $status)"

printf '\n== Pictures\n'
for file in samples/*.vex; do
  name="$(basename "${file%.vex}")"
  "$VEX" render "$file" -o "$OUT/$name.svg" >/dev/null
done
"$VEX" render "$OUT/isolation-mapped.vex" -o "$OUT/isolation-mapped.svg" >/dev/null
echo "The pictures are in $(pwd)/$OUT:"
ls -1 "$OUT"/*.svg | sed 's/^/  /'
echo "Open them in a web browser, e.g. xdg-open $OUT/board-outline.svg"
