#!/usr/bin/env bash
# Builds what the demo and everyday use need: the plug-in, the model library, vex and the
# libraries it links, then runs the demo. The tests, fuzz replays and benchmarks are built by
# scripts/test.sh and the bench scripts.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"${JOBS:-2}" --target vex VexData
bash scripts/demo.sh
