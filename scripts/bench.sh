#!/usr/bin/env bash
# Builds the benchmarks in an optimised build folder and runs them. The output ends with one
# table: each figure (read and write speed, model memory, scan-field ordering, time per MB), the
# anchor measured in the same run on the same bytes, their ratio and the target.
#
#   VEX_BENCH_BUILD  build folder (default build-bench)
#   VEXBENCH_MB      size of the large inputs in MB (default 100)
#   REPS             repetitions of every benchmark; the table takes the median (default 1)
#   TMPDIR           where the inputs are made (about 6 files of VEXBENCH_MB each; removed after)
# Further arguments go to the benchmark program (for example --benchmark_filter=read).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
BUILD="${VEX_BENCH_BUILD:-build-bench}"
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVEX_BUILD_BENCH=ON >/dev/null
cmake --build "$BUILD" -j"${JOBS:-2}" --target VexData_Bench
if [ ! -x "$BUILD/bench/VexData_Bench" ]; then
  echo "bench.sh: Google Benchmark is not installed; nothing to run" >&2
  exit 1
fi
exec "$BUILD/bench/VexData_Bench" --benchmark_color=false \
  --benchmark_repetitions="${REPS:-1}" "$@"
