#!/usr/bin/env bash
# Builds everything and runs the whole test suite in an AddressSanitizer +
# UndefinedBehaviorSanitizer build (build-asan/): every test, the comparisons with gerbv included,
# runs with memory errors, leaks and undefined behaviour made failures.
#   VEX_SKIP_SANITIZERS=1  the normal optimised build (build/) instead, for a quicker local run
#   VEX_BOTH_BUILDS=1      the normal build first, then the sanitizer build
# One build keeps the CI within its time; the normal build is what scripts/build.sh makes.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
JOBS="${JOBS:-2}"
# OpenCASCADE's memory pool would hide use-after-free and leaks from the sanitizers.
export MMGT_OPT=0

if [ "${VEX_SKIP_SANITIZERS:-0}" = "1" ] || [ "${VEX_BOTH_BUILDS:-0}" = "1" ]; then
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
  cmake --build build -j"$JOBS"
  ctest --test-dir build --output-on-failure -j"$JOBS"
fi

if [ "${VEX_SKIP_SANITIZERS:-0}" != "1" ]; then
  cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVEX_SANITIZE=ON -DVEX_BUILD_BENCH=OFF
  cmake --build build-asan -j"$JOBS"
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build-asan --output-on-failure -j"$JOBS"
fi
