#!/usr/bin/env bash
# Times the checks of vex verify on a generated board (a million draws, 100,000 pads and holes, a
# ground pour with 4,900 holes) and prints, per check, its processor and wall-clock time and its
# peak memory. Builds in an optimised build folder first.
#
#   VEX_BENCH_BUILD  build folder (default build-bench)
# Arguments go to the program: [TRACES] [DIRECTORY] (see verify/bench/VexVerify_Bench.cxx).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
BUILD="${VEX_BENCH_BUILD:-build-bench}"
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVEX_BUILD_BENCH=ON >/dev/null
cmake --build "$BUILD" -j"${JOBS:-2}" --target VexVerify_Bench
exec "$BUILD/verify/VexVerify_Bench" "$@"
