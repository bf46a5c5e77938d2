#!/usr/bin/env bash
# Fuzzes every target for MINUTES minutes of wall time in all, then reports.
#
#   scripts/fuzz.sh MINUTES [TARGET...]
#
# TARGET names a fuzz/VexFuzz_<TARGET>.cxx; without any, every target is run.
#
# 1. Builds the libFuzzer targets with clang (-fsanitize=fuzzer,address,undefined) in build-fuzz.
# 2. Runs the three targets side by side on the machine's two cores for MINUTES minutes, each in
#    libFuzzer's fork mode (so that it goes on after a finding), with the dictionary, a 2560 MB
#    memory limit and a 5 s limit per input. Findings land in build-fuzz/fuzz-run/artifacts.
# 3. Merges the inputs that add coverage into fuzz/corpus (reader and round trip, which share
#    the machine-file format) and fuzz/corpus-params (export parameters).
# 4. Replays the corpora through the sanitizer builds to find the slowest input, and through a
#    clang coverage build (build-fuzz-cov) for the reader's line coverage (llvm-cov).
# 5. Prints a table: inputs executed, executions per second, crashes, leaks, timeouts,
#    out-of-memory, slowest input, peak memory, then the coverage. Exits 1 when anything was
#    found.
set -euo pipefail
MINUTES="${1:?usage: scripts/fuzz.sh MINUTES [TARGET...]}"
shift
cd "$(dirname "$0")/.."
ROOT="$PWD"
bash scripts/install-deps.sh
# OpenCASCADE's memory pool would hide use-after-free and leaks from the sanitizers.
export MMGT_OPT=0
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

if [ $# -gt 0 ]; then
  TARGETS=("$@")
else
  TARGETS=()
  for f in fuzz/VexFuzz_*.cxx; do
    grep -q LLVMFuzzerTestOneInput "$f" && TARGETS+=("$(basename "$f" .cxx | sed 's/^VexFuzz_//')")
  done
fi
BUILD="$ROOT/build-fuzz"
COVERAGE="$ROOT/build-fuzz-cov"
RUN="$BUILD/fuzz-run"
DICT="$ROOT/fuzz/VexFuzz.dict"

corpus_of() { # the committed corpus folder a target grows
  case "$1" in
    Reader | RoundTrip) echo "$ROOT/fuzz/corpus" ;;
    *) echo "$ROOT/fuzz/corpus-$(echo "$1" | tr '[:upper:]' '[:lower:]')" ;;
  esac
}
dict_of() { # the target's own dictionary, else the machine file's
  if [ -f "$ROOT/fuzz/VexFuzz_$1.dict" ]; then echo "$ROOT/fuzz/VexFuzz_$1.dict"; else echo "$DICT"; fi
}
regress_of() { # the committed regression inputs of a target
  case "$1" in
    Reader | RoundTrip | Params) echo "$ROOT/fuzz/regress" ;;
    *) echo "$ROOT/fuzz/regress-$(echo "$1" | tr '[:upper:]' '[:lower:]')" ;;
  esac
}

echo "== building the libFuzzer targets"
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DVEX_FUZZ=ON -DVEX_BUILD_BENCH=OFF > /dev/null
cmake --build "$BUILD" -j2 --target $(for t in "${TARGETS[@]}"; do echo "VexFuzz_$t VexFuzz_${t}_Replay"; done)

rm -rf "$RUN"
mkdir -p "$RUN/artifacts"
SECONDS_EACH=$((MINUTES * 60))
echo "== fuzzing ${TARGETS[*]} side by side for $SECONDS_EACH s"
for t in "${TARGETS[@]}"; do
  mkdir -p "$RUN/new-$t" "$(corpus_of "$t")" "$(regress_of "$t")"
  (
    cd "$RUN"
    /usr/bin/time -f "%M" -o "$RUN/$t.maxrss" \
      "$BUILD/fuzz/VexFuzz_$t" "$RUN/new-$t" "$(corpus_of "$t")" "$(regress_of "$t")" \
      -fork=1 -ignore_crashes=1 -ignore_timeouts=1 -ignore_ooms=1 \
      -dict="$(dict_of "$t")" -rss_limit_mb=2560 -timeout=5 -max_total_time="$SECONDS_EACH" \
      -artifact_prefix="$RUN/artifacts/$t-" > "$RUN/$t.log" 2>&1 || true
  ) &
done
wait

echo "== merging new inputs into the committed corpora"
for t in "${TARGETS[@]}"; do
  "$BUILD/fuzz/VexFuzz_$t" -merge=1 -rss_limit_mb=2560 -timeout=5 "$(corpus_of "$t")" "$RUN/new-$t" \
    > "$RUN/$t.merge.log" 2>&1 || echo "merge of $t failed, see $RUN/$t.merge.log"
done

echo "== replaying the corpora: slowest inputs and the coverage build"
inputs_of() { # what a target replays
  case "$1" in
    Reader | RoundTrip | Params) echo "$ROOT/fuzz/corpus $ROOT/fuzz/corpus-params $ROOT/fuzz/regress" ;;
    *) echo "$(corpus_of "$1") $(regress_of "$1")" ;;
  esac
}
for t in "${TARGETS[@]}"; do
  # shellcheck disable=SC2046
  "$BUILD/fuzz/VexFuzz_${t}_Replay" $(inputs_of "$t") > "$RUN/$t.replay.log" 2>&1 || true
done
# No compiler launcher here: a cache that rewrites source paths would leave the coverage mapping
# with paths that the per-folder filter below cannot match.
cmake -S . -B "$COVERAGE" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
  -DVEX_COVERAGE=ON -DVEX_BUILD_BENCH=OFF -DCMAKE_CXX_COMPILER_LAUNCHER= > /dev/null
cmake --build "$COVERAGE" -j2 --target $(for t in "${TARGETS[@]}"; do echo "VexFuzz_${t}_Replay"; done)
rm -f "$RUN"/*.profraw
OBJECTS=()
for t in "${TARGETS[@]}"; do
  # shellcheck disable=SC2046
  LLVM_PROFILE_FILE="$RUN/$t.%p.profraw" "$COVERAGE/fuzz/VexFuzz_${t}_Replay" $(inputs_of "$t") > /dev/null 2>&1 || true
  OBJECTS+=(-object "$COVERAGE/fuzz/VexFuzz_${t}_Replay")
done
# The targets share function names (LLVMFuzzerTestOneInput), whose profiles then do not merge;
# they are not part of the reported code.
llvm-profdata merge -sparse "$RUN"/*.profraw -o "$RUN/replay.profdata" 2> /dev/null
coverage() { # line coverage in percent of the given sources
  llvm-cov report "${OBJECTS[@]:1}" -instr-profile="$RUN/replay.profdata" "$@" | awk '$1 == "TOTAL" { print $10 }'
}
COVERAGE_LINE=""
for folder in reader format writer excellon gerber; do
  if compgen -G "$ROOT/$folder/*.cxx" > /dev/null; then
    COVERAGE_LINE="$COVERAGE_LINE${COVERAGE_LINE:+, }$folder/ $(coverage "$ROOT"/$folder/*.cxx)"
  fi
done

count() { find "$RUN/artifacts" -name "$1-$2-*" | wc -l; }
TOTAL_FOUND=0
printf '\n| %-9s | %15s | %8s | %7s | %5s | %8s | %4s | %-52s | %11s |\n' \
  target "inputs executed" "execs/s" crashes leaks timeouts OOMs "slowest input" "peak memory"
printf '|%s|\n' "-----------|-----------------|----------|---------|-------|----------|------|------------------------------------------------------|-------------"
for t in "${TARGETS[@]}"; do
  EXECS="$(grep -oE '^#[0-9]+' "$RUN/$t.log" | tail -1 | tr -d '#')"
  ELAPSED="$(grep -oE 'time: [0-9]+s' "$RUN/$t.log" | tail -1 | grep -oE '[0-9]+')"
  RATE=$(( ${EXECS:-0} / ( ${ELAPSED:-1} > 0 ? ${ELAPSED:-1} : 1 ) ))
  CRASHES=$(count "$t" crash); LEAKS=$(count "$t" leak)
  TIMEOUTS=$(count "$t" timeout); OOMS=$(count "$t" oom)
  TOTAL_FOUND=$((TOTAL_FOUND + CRASHES + LEAKS + TIMEOUTS + OOMS))
  SLOWEST="$(awk '/^slowest/ { n = split($4, p, "/"); printf "%s ms %s", $2, p[n] }' "$RUN/$t.replay.log")"
  PEAK="$(( $(tail -n 1 "$RUN/$t.maxrss" 2>/dev/null || echo 0) / 1024 )) MB"
  printf '| %-9s | %15s | %8s | %7s | %5s | %8s | %4s | %-52s | %11s |\n' \
    "$t" "${EXECS:-0}" "$RATE" "$CRASHES" "$LEAKS" "$TIMEOUTS" "$OOMS" "$SLOWEST" "$PEAK"
done
echo
echo "Line coverage from replaying the corpora: $COVERAGE_LINE"
if [ "$TOTAL_FOUND" -gt 0 ]; then
  echo "Findings are in $RUN/artifacts (minimise with -minimize_crash=1, commit to fuzz/regress)."
  exit 1
fi
