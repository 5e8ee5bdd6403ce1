#!/usr/bin/env bash
# Set-up, build, run and test in one place.
#   ./build.sh run [arguments]   install what is missing, build, run marovelkandis
#   ./build.sh test              install what is missing, build and run every test,
#                                once normally and once under ASan + UBSan, the
#                                thread and picture tests once more under TSan, and
#                                every fuzz target for 20 seconds
#   ./build.sh bench [options]   install what is missing, build the benchmarks optimised
#                                (Release) and run each of them with the options given
#                                (Google Benchmark's, e.g. --benchmark_filter=Switch)
set -euo pipefail
cd "$(dirname "$0")"

PACKAGES=(g++ cmake ninja-build pkg-config libgtest-dev libgmock-dev libbenchmark-dev
          libfreetype-dev libfontconfig-dev libpng-dev fonts-dejavu-core clang
          libclang-rt-14-dev)

install_missing() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
}

JOBS=$(nproc)

configure() {
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja -DMAROVELKA_WERROR=ON "$@" >/dev/null
}

configure_and_build() {
  configure "$@"
  cmake --build "$1" -j "$JOBS"
}

run_tests() {
  local dir=$1
  (cd "$dir" && ctest -j "$JOBS" --output-on-failure --timeout 600)
}

usage() {
  echo "usage: $0 run [arguments] | $0 test | $0 bench [benchmark options]" >&2
  exit 2
}

# A wrong call is told so before anything is installed.
case "${1:-}" in
  run | test | bench) install_missing ;;
  *) usage ;;
esac

case "$1" in
  run)
    shift
    configure build/release -DCMAKE_BUILD_TYPE=RelWithDebInfo
    cmake --build build/release -j "$JOBS" --target marovelkandis
    exec build/release/marovelkandis "$@"
    ;;
  test)
    configure_and_build build/release -DCMAKE_BUILD_TYPE=RelWithDebInfo
    run_tests build/release
    configure_and_build build/asan -DCMAKE_BUILD_TYPE=Debug -DMAROVELKA_SANITIZE=ON -DMAROVELKA_BENCH=OFF
    ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 run_tests build/asan
    # The thread tests, and the picture tests so that this folder gets the pictures too; they live
    # in the platform's and the components' suites, so only those are built.
    configure build/tsan -DCMAKE_BUILD_TYPE=Debug -DMAROVELKA_TSAN=ON -DMAROVELKA_BENCH=OFF
    cmake --build build/tsan -j "$JOBS" --target tests_platform tests_components
    (cd build/tsan && TSAN_OPTIONS=halt_on_error=1 ctest -j "$JOBS" --output-on-failure --timeout 600 -R 'Thread|Picture')
    # A short run of every fuzz target keeps each of them building and running.
    FUZZ_BUILD_JOBS="$JOBS" FUZZ_PARALLEL="$JOBS" fuzz/run.sh 20
    ;;
  bench)
    shift
    # Without the test suites the folder builds the program, its libraries and the benchmarks.
    configure_and_build build/bench -DCMAKE_BUILD_TYPE=Release -DMAROVELKA_TESTS=OFF -DMAROVELKA_BENCH=ON
    shopt -s nullglob
    benchmarks=(build/bench/bench_*)
    [ ${#benchmarks[@]} -gt 0 ] || { echo "No benchmarks were built (is libbenchmark-dev installed?)" >&2; exit 1; }
    for benchmark in "${benchmarks[@]}"; do
      echo "== ${benchmark##*/}"
      "$benchmark" "$@"
    done
    ;;
esac
