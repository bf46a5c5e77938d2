#!/usr/bin/env bash
# Runs the reading and writing benchmarks of this tree and of another commit side by side, in one
# run: the two programs take turns, round after round, on the same inputs, and the table gives
# the median speed of each figure before and after with their ratio. The machine may be shared,
# so times are noisy; with VEX_CALLGRIND=1 the script also counts the instructions that reading
# and writing take (valgrind's callgrind, counting only inside VexData_Reader::Process and
# VexData_Writer::Process), which does not depend on the load.
#
#   bash scripts/bench-before.sh [REF]       REF defaults to main
#
#   ROUNDS           turns of each program (default 3)
#   VEXBENCH_MB      size of the large inputs in MB (default 100)
#   VEX_CALLGRIND    1: also count instructions, on inputs of VEX_CALLGRIND_MB (default 2) MB
#   VEX_BENCH_BUILD  this tree's benchmark build folder (default build-bench)
#   VEX_BEFORE_DIR   the worktree of REF (default: this folder's path with "-before" added)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/before-tree.sh
ROUNDS="${ROUNDS:-3}"
AFTER_BUILD="$ROOT/${VEX_BENCH_BUILD:-build-bench}"
for aTree in "$BEFORE_TREE" "$ROOT"; do
  if [ "$aTree" = "$ROOT" ]; then aBuild="$AFTER_BUILD"; else aBuild="$BEFORE_TREE/build-bench"; fi
  cmake -S "$aTree" -B "$aBuild" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVEX_BUILD_TESTS=OFF \
    -DVEX_BUILD_BENCH=ON >/dev/null
  cmake --build "$aBuild" -j"${JOBS:-2}" --target VexData_Bench >/dev/null
done
BEFORE="$BEFORE_TREE/build-bench/bench/VexData_Bench"
AFTER="$AFTER_BUILD/bench/VexData_Bench"

WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT
export MMGT_OPT=0
FILTER='^(read|write)(_floor)?/(path|drill|blocks|path_1mb)/'

for ((aRound = 1; aRound <= ROUNDS; aRound++)); do
  for aSide in before after; do
    if [ "$aSide" = before ]; then aProgram="$BEFORE"; else aProgram="$AFTER"; fi
    mkdir -p "$WORK/tmp"
    TMPDIR="$WORK/tmp" "$aProgram" --benchmark_filter="$FILTER" \
      --benchmark_out="$WORK/$aSide-$aRound.json" --benchmark_out_format=json >/dev/null
    echo "round $aRound: $aSide done" >&2
  done
done

python3 - "$WORK" "$ROUNDS" <<'EOF'
import json, statistics, sys
work, rounds = sys.argv[1], int(sys.argv[2])
speeds = {}
for side in ("before", "after"):
    for number in range(1, rounds + 1):
        with open(f"{work}/{side}-{number}.json") as file:
            for run in json.load(file)["benchmarks"]:
                name = run["name"].split("/iterations")[0]
                speeds.setdefault(name, {}).setdefault(side, []).append(
                    run["bytes_per_second"] / 1e6)
print(f"{'figure (CPU time)':<24}{'before MB/s':>14}{'after MB/s':>14}{'after/before':>14}")
for name in sorted(speeds):
    before = statistics.median(speeds[name]["before"])
    after = statistics.median(speeds[name]["after"])
    print(f"{name:<24}{before:>14.1f}{after:>14.1f}{after / before:>14.3f}")
EOF

if [ "${VEX_CALLGRIND:-0}" = 1 ]; then
  echo
  printf '%-24s%16s%16s%14s\n' "instructions" "before" "after" "after/before"
  for aKind in read write; do
    if [ "$aKind" = read ]; then aFunction='VexData_Reader::Process*'; else aFunction='VexData_Writer::Process*'; fi
    for aSide in before after; do
      if [ "$aSide" = before ]; then aProgram="$BEFORE"; else aProgram="$AFTER"; fi
      mkdir -p "$WORK/cg-$aSide"
      VEXBENCH_MB="${VEX_CALLGRIND_MB:-2}" TMPDIR="$WORK/cg-$aSide" valgrind --tool=callgrind \
        --callgrind-out-file="$WORK/$aKind-$aSide.cg" --toggle-collect="$aFunction" "$aProgram" \
        --benchmark_filter="^$aKind/(path|drill|blocks)/" >"$WORK/$aKind-$aSide.log" 2>&1
      sed -n 's/.*Collected : \([0-9]*\).*/\1/p' "$WORK/$aKind-$aSide.log" >"$WORK/$aKind-$aSide.count"
    done
    aBefore="$(cat "$WORK/$aKind-before.count")"
    anAfter="$(cat "$WORK/$aKind-after.count")"
    printf '%-24s%16s%16s%14s\n' "$aKind (path, drill, blocks)" "$aBefore" "$anAfter" \
      "$(python3 -c "print(f'{$anAfter / $aBefore:.4f}')")"
  done
fi
