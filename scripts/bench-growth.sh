#!/usr/bin/env bash
# How the processor time and peak memory of every vex command that reads a design file grow with
# the file: generated files of one kind of object each (scripts/make-designs.py) at two sizes ten
# times apart. Work that is linear in the file grows ten times; what every run pays once (loading
# the libraries, the plug-in and the catalogue: a few milliseconds) makes small runs grow less, so
# the growth is also given with the time of the same command on a file of one object taken off
# both ("x net").
#
#   bash scripts/bench-growth.sh [--size N] [--repeat N] [KIND...]
#
#   --size N     the larger size (default 1000000); the smaller one is a tenth of it
#   --repeat N   runs of each command; the one of least processor time counts (default 3)
#   KIND         draws flashes rects macros regions board holes (default: all)
#
# Per kind: info, from-gerber or from-drill (to a machine file), to-gerber or to-excellon, render
# and verify. verify checks the machine file from-drill wrote against its drill file; for Gerber
# kinds it checks the machine file from-gerber wrote against the copper, a check whose work per
# object is far larger, at a tenth of the sizes.
#
#   VEX_BUILD_DIR  the build folder of vex (default build; vex and VexData are built there first)
set -euo pipefail
cd "$(dirname "$0")/.."
SIZE=1000000
REPEAT=3
KINDS=()
while [ $# -gt 0 ]; do
  case "$1" in
  --size) SIZE="$2"; shift ;;
  --repeat) REPEAT="$2"; shift ;;
  *) KINDS+=("$1") ;;
  esac
  shift
done
[ ${#KINDS[@]} -gt 0 ] || KINDS=(draws flashes rects macros regions board holes)
BUILD="${VEX_BUILD_DIR:-build}"
cmake --build "$BUILD" -j"${JOBS:-2}" --target vex VexData >/dev/null
VEX="$BUILD/vex"
export LD_LIBRARY_PATH="$BUILD" MMGT_OPT=0
DIR="$(mktemp -d)"
trap 'rm -rf "$DIR"' EXIT

# measure CMD...: runs CMD REPEAT times and prints "CPU-seconds peak-MB" of the run of least
# processor time (scripts/measure-run.py, in microseconds); verify's status 1 (findings) counts
# as a run.
measure() {
  python3 scripts/measure-run.py "$REPEAT" "$DIR" "$@" || exit 1
}

# row KIND COMMAND SMALL LARGE CMD-WITH-@: measures the command on the files of one object and of
# both sizes (@ stands for the size) and prints a row with the growth of time and memory.
row() {
  local aKind="$1" aCommand="$2" aSmall="$3" aLarge="$4"
  shift 4
  local aTimes=()
  for aSize in 1 "$aSmall" "$aLarge"; do
    local aCmd=()
    for anArg in "$@"; do aCmd+=("${anArg//@/$aSize}"); done
    aTimes+=("$(measure "${aCmd[@]}")")
  done
  read -r aCpu0 _ <<<"${aTimes[0]}"
  read -r aCpu1 aMem1 <<<"${aTimes[1]}"
  read -r aCpu2 aMem2 <<<"${aTimes[2]}"
  awk -v k="$aKind" -v c="$aCommand" -v s1="$aSmall" -v s2="$aLarge" -v t0="$aCpu0" \
    -v t1="$aCpu1" -v t2="$aCpu2" -v m1="$aMem1" -v m2="$aMem2" 'BEGIN {
      printf "%-8s %-12s %8d %8d %8.4f %8.4f %7s %7s %8.1f %8.1f %6.2f\n", k, c, s1, s2, t1, t2,
        (t1 > 0 ? sprintf("%.2f", t2 / t1) : "-"),
        (t1 > t0 ? sprintf("%.2f", (t2 - t0) / (t1 - t0)) : "-"), m1, m2, m2 / m1 }'
}

SMALL=$((SIZE / 10))
printf '%-8s %-12s %8s %8s %8s %8s %7s %7s %8s %8s %6s\n' kind command small large "CPU s" \
  "CPU s" "x CPU" "x net" "peak MB" "peak MB" "x mem"
for aKind in "${KINDS[@]}"; do
  anExt=gbr
  [ "$aKind" != holes ] || anExt=drl
  for aSize in 1 $((SMALL / 10)) "$SMALL" "$SIZE"; do
    python3 scripts/make-designs.py "$aKind" "$aSize" "$DIR/$aKind-$aSize.$anExt"
  done
  aFile="$DIR/$aKind-@.$anExt"
  if [ "$anExt" = drl ]; then
    aFrom=from-drill aTo=to-excellon aRole=drill
  else
    aFrom=from-gerber aTo=to-gerber aRole=copper
  fi
  row "$aKind" info "$SMALL" "$SIZE" "$VEX" info "$aFile"
  row "$aKind" "$aFrom" "$SMALL" "$SIZE" "$VEX" "$aFrom" "$aFile" -o "$DIR/job-@.vex"
  row "$aKind" "$aTo" "$SMALL" "$SIZE" "$VEX" "$aTo" "$aFile" -o "$DIR/out.$anExt"
  row "$aKind" render "$SMALL" "$SIZE" "$VEX" render "$aFile" -o "$DIR/out.svg"
  if [ "$anExt" = drl ]; then
    row "$aKind" verify "$SMALL" "$SIZE" "$VEX" verify "$DIR/job-@.vex" --against "$aRole:$aFile"
  else
    for aSize in 1 $((SMALL / 10)); do
      "$VEX" "$aFrom" "$DIR/$aKind-$aSize.$anExt" -o "$DIR/job-$aSize.vex" >/dev/null 2>&1
    done
    row "$aKind" verify "$((SMALL / 10))" "$SMALL" "$VEX" verify "$DIR/job-@.vex" \
      --against "$aRole:$aFile"
  fi
done
