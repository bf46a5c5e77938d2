#!/usr/bin/env bash
# Builds everything and runs the whole test suite in the normal build, then again, but for the
# tests labelled gerbv, in an AddressSanitizer + UndefinedBehaviorSanitizer build.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
JOBS="${JOBS:-2}"
# OpenCASCADE's memory pool would hide use-after-free and leaks from the sanitizers.
export MMGT_OPT=0

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$JOBS"
ctest --test-dir build --output-on-failure -j"$JOBS"

if [ "${VEX_SKIP_SANITIZERS:-0}" != "1" ]; then
  cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVEX_SANITIZE=ON -DVEX_BUILD_BENCH=OFF
  cmake --build build-asan -j"$JOBS"
  # The comparisons with gerbv and the jobs of its example boards (label gerbv) ran in the
  # normal build; here they would only take minutes of sanitized drawing of the same code.
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build-asan --output-on-failure -j"$JOBS" -LE gerbv
fi
