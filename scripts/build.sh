#!/usr/bin/env bash
# Builds the plug-in, the model library, the vex host and the tools, then runs the demo.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"${JOBS:-2}"
if [ -x scripts/demo.sh ]; then
  bash scripts/demo.sh
fi
