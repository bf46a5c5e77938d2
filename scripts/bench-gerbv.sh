#!/usr/bin/env bash
# Processor time and peak memory of vex reading a design file and writing it back (vex to-gerber,
# vex to-excellon), beside gerbv doing the same (gerbv -x rs274x, gerbv -x drill) on the same
# files: generated files of one kind of object each (scripts/make-designs.py) at 10,000 and
# 100,000 objects (and a million with --big). Prints per kind, size and program the processor
# time (user + system) and the peak resident memory, their ratios to gerbv's, and how much each
# grows from the size ten times smaller.
#
#   bash scripts/bench-gerbv.sh [--big] [--before DIR] [--repeat N] [KIND...]
#
#   --big         also the files of a million objects (about a minute more)
#   --before DIR  also the vex in DIR (with its libVexData.so and share/ beside it), for example
#                 a copy of another commit's build, measured in the same run as "before"
#   --repeat N    runs of each command; the one of least processor time counts (default 1)
#   KIND          draws flashes rects macros regions board holes (default: all)
#
#   VEX_BUILD_DIR  the build folder of vex (default build; vex and VexData are built there first)
#   VEX_BENCH_DIR  folder for the files (default: a temporary one, removed afterwards)
set -euo pipefail
cd "$(dirname "$0")/.."
SIZES="10000 100000"
BEFORE=""
REPEAT=1
KINDS=()
while [ $# -gt 0 ]; do
  case "$1" in
  --big) SIZES="10000 100000 1000000" ;;
  --before) BEFORE="$2"; shift ;;
  --repeat) REPEAT="$2"; shift ;;
  *) KINDS+=("$1") ;;
  esac
  shift
done
[ ${#KINDS[@]} -gt 0 ] || KINDS=(draws flashes rects macros regions board holes)
command -v gerbv >/dev/null || { echo "gerbv is not installed (apt-get install gerbv)" >&2; exit 2; }
BUILD="${VEX_BUILD_DIR:-build}"
cmake --build "$BUILD" -j"${JOBS:-2}" --target vex VexData >/dev/null
if [ -n "${VEX_BENCH_DIR:-}" ]; then
  DIR="$VEX_BENCH_DIR"
  mkdir -p "$DIR"
else
  DIR="$(mktemp -d)"
  trap 'rm -rf "$DIR"' EXIT
fi
export MMGT_OPT=0

# measure OUT CMD...: runs CMD REPEAT times and prints "CPU-seconds peak-MB" of the run of least
# processor time (scripts/measure-run.py); a failing command stops the script with its messages.
measure() {
  local anOut="$1"
  shift
  python3 scripts/measure-run.py "$REPEAT" "$DIR" "$@" || exit 1
  rm -f "$anOut"
}

# ratio A B: A / B with two decimals, "-" when B is zero.
ratio() {
  awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else printf "-" }'
}

PROGRAMS=(gerbv vex)
[ -z "$BEFORE" ] || PROGRAMS=(gerbv before vex)
printf '%-8s %8s %-7s %8s %9s %8s %8s %8s %8s\n' kind objects program "CPU s" "peak MB" \
  "CPU/gv" "mem/gv" "CPU x10" "mem x10"
declare -A LAST
for aKind in "${KINDS[@]}"; do
  for aSize in $SIZES; do
    anExt=gbr
    [ "$aKind" != holes ] || anExt=drl
    anIn="$DIR/$aKind-$aSize.$anExt"
    python3 scripts/make-designs.py "$aKind" "$aSize" "$anIn"
    declare -A NOW
    for aProgram in "${PROGRAMS[@]}"; do
      case "$aProgram:$anExt" in
      gerbv:gbr) aCmd=(gerbv -x rs274x -o "$DIR/out.$anExt" "$anIn") ;;
      gerbv:drl) aCmd=(gerbv -x drill -o "$DIR/out.$anExt" "$anIn") ;;
      *)
        aVex="$BUILD/vex"
        [ "$aProgram" != before ] || aVex="$BEFORE/vex"
        aSub=to-gerber
        [ "$anExt" = gbr ] || aSub=to-excellon
        aCmd=(env LD_LIBRARY_PATH="$(dirname "$aVex")" "$aVex" "$aSub" "$anIn" -o "$DIR/out.$anExt")
        ;;
      esac
      NOW[$aProgram]="$(measure "$DIR/out.$anExt" "${aCmd[@]}")"
    done
    read -r aGvCpu aGvMem <<<"${NOW[gerbv]}"
    for aProgram in "${PROGRAMS[@]}"; do
      read -r aCpu aMem <<<"${NOW[$aProgram]}"
      aGrowCpu=-
      aGrowMem=-
      if [ -n "${LAST[$aProgram]:-}" ]; then
        read -r aLastCpu aLastMem <<<"${LAST[$aProgram]}"
        aGrowCpu="$(ratio "$aCpu" "$aLastCpu")"
        aGrowMem="$(ratio "$aMem" "$aLastMem")"
      fi
      printf '%-8s %8s %-7s %8s %9s %8s %8s %8s %8s\n' "$aKind" "$aSize" "$aProgram" "$aCpu" \
        "$aMem" "$(ratio "$aCpu" "$aGvCpu")" "$(ratio "$aMem" "$aGvMem")" "$aGrowCpu" "$aGrowMem"
      LAST[$aProgram]="${NOW[$aProgram]}"
    done
    rm -f "$anIn"
  done
  unset LAST
  declare -A LAST
done
