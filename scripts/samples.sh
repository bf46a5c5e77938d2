#!/usr/bin/env bash
# Regenerates the machine files of the samples: samples/NAME.vex from samples/NAME.json with
# "vex from-json" (the document's export parameters apply). Builds vex first (incrementally) in
# ${VEX_BUILD_DIR:-build}.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD="${VEX_BUILD_DIR:-build}"
if [ ! -f "$BUILD/build.ninja" ]; then
  cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$BUILD" -j"${JOBS:-2}" --target vex VexData
for document in samples/*.json; do
  "$BUILD/vex" from-json "$document" "${document%.json}.vex"
done
