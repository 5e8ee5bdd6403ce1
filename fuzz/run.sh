#!/usr/bin/env bash
# Builds every fuzz target with clang and runs each for the given number of seconds, starting
# from its seed corpus in fuzz/corpus/<target>/ (files the program writes itself).
#   fuzz/run.sh SECONDS [TARGET...]
# Environment: FUZZ_PARALLEL (targets run at once, default 1), FUZZ_BUILD_JOBS (default 2).
# Inputs found on the way go to build/fuzz/corpus/<target>/, never into the seeds; a crash,
# hang or undefined behaviour leaves its input in build/fuzz/artifacts/ and fails the script.
set -euo pipefail
cd "$(dirname "$0")/.."

SECONDS_PER_TARGET=${1:?"Aufruf: fuzz/run.sh SEKUNDEN [ZIEL...]"}
shift
PARALLEL=${FUZZ_PARALLEL:-1}
BUILD=build/fuzz

cmake -S . -B "$BUILD" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DMAROVELKA_FUZZ=ON -DMAROVELKA_TESTS=OFF -DMAROVELKA_BENCH=OFF -DMAROVELKA_WERROR=ON >/dev/null

if [ $# -gt 0 ]; then
  TARGETS=("$@")
else
  TARGETS=()
  for source in fuzz/*.cpp; do TARGETS+=("$(basename "$source" .cpp)"); done
fi
cmake --build "$BUILD" -j "${FUZZ_BUILD_JOBS:-2}" --target "${TARGETS[@]/#/fuzz_}"

mkdir -p "$BUILD/artifacts" "$BUILD/logs"

run_target() {
  local target=$1
  local work="$BUILD/corpus/$target"
  mkdir -p "$work"
  # Assertions of the code under test stay on, leaks count, and a slow input is a finding too.
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    "$BUILD/fuzz_$target" -max_total_time="$SECONDS_PER_TARGET" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$BUILD/artifacts/$target-" \
    "$work" "fuzz/corpus/$target" >"$BUILD/logs/$target.log" 2>&1
}

summary() {
  local target=$1 status=$2
  local execs
  execs=$(grep -m1 '^stat::number_of_executed_units' "$BUILD/logs/$target.log" | awk '{print $2}')
  if [ "$status" -eq 0 ]; then
    echo "$target: ${execs:-?} Läufe, kein Befund"
  else
    echo "$target: BEFUND nach ${execs:-?} Läufen (Status $status), siehe $BUILD/logs/$target.log"
    grep -E '^(==[0-9]+==ERROR|SUMMARY|.*runtime error)' "$BUILD/logs/$target.log" | head -5 || true
  fi
}

failed=0
declare -A pids=()
for target in "${TARGETS[@]}"; do
  while [ "${#pids[@]}" -ge "$PARALLEL" ]; do
    wait -n || true
    for t in "${!pids[@]}"; do
      if ! kill -0 "${pids[$t]}" 2>/dev/null; then
        wait "${pids[$t]}" && status=0 || status=$?
        summary "$t" "$status"
        [ "$status" -eq 0 ] || failed=1
        unset "pids[$t]"
      fi
    done
  done
  run_target "$target" &
  pids[$target]=$!
done
for t in "${!pids[@]}"; do
  wait "${pids[$t]}" && status=0 || status=$?
  summary "$t" "$status"
  [ "$status" -eq 0 ] || failed=1
done
exit "$failed"
