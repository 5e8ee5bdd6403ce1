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

# The width the test output keeps to: the terminal's, or 120 columns in a log.
if [ -t 1 ] && WIDTH=$(tput cols 2>/dev/null) && [ "$WIDTH" -gt 40 ]; then :; else WIDTH=120; fi

# ctest pads every test name with dots to the longest name of the run (parameterised names make
# that about 400 characters), so each of its result lines would wrap several times. Its start and
# result lines lose the padding here, and a name still too long for the width loses its middle;
# every other line (a failed test's own output) passes whole.
fit_to_width() {
  local line head name tail keep
  while IFS= read -r line; do
    if [[ $line =~ ^(\ *[0-9]+/[0-9]+\ Test\ +#[0-9]+:\ )(.*[^.\ ])\ \.+\ +(.*)$ ]]; then
      head=${BASH_REMATCH[1]} name=${BASH_REMATCH[2]} tail="  ${BASH_REMATCH[3]}"
    elif [[ $line =~ ^(\ *Start\ +[0-9]+:\ )(.*)$ ]]; then
      head=${BASH_REMATCH[1]} name=${BASH_REMATCH[2]} tail=""
    else
      printf '%s\n' "$line"
      continue
    fi
    keep=$((WIDTH - ${#head} - ${#tail}))
    if [ "${#name}" -gt "$keep" ] && [ "$keep" -gt 9 ]; then
      name="${name:0:$(((keep - 3) / 2))}...${name: -$((keep - 3 - (keep - 3) / 2))}"
    fi
    printf '%s%s%s\n' "$head" "$name" "$tail"
  done
}

# Tests write only into the build folders and their own temporary folders. The test command runs
# them with a home and XDG folders of their own, in a temporary folder that must still be empty
# when a phase's tests are done (a test run by hand would have written into the user's own): what
# a test wrote there is named, and the phase fails. Nothing the tests run finds the user's real
# home any more, as the program and the tests look for it only by these variables.
TEST_HOME=""

# The caller's own home: a test that found it some other way than through HOME must not have
# written the program's files there either.
CALLER_HOME=${HOME:-}

make_test_home() {
  TEST_HOME=$(mktemp -d "${TMPDIR:-/tmp}/marovelka-testheim-XXXXXX")
  mkdir "$TEST_HOME/home" "$TEST_HOME/config" "$TEST_HOME/data" "$TEST_HOME/state" "$TEST_HOME/cache"
  touch "$TEST_HOME/start"
}

# The program's files (tournaments, results, its ini, its settings store) in the caller's home
# that are newer than the start of the tests, this source tree and its builds left out.
written_into_caller_home() {
  [ -n "$CALLER_HOME" ] && [ -d "$CALLER_HOME" ] || return 0
  find "$CALLER_HOME" -maxdepth 4 -path "$PWD" -prune -o -type f -newer "$TEST_HOME/start" \
    \( -name '*.tur' -o -name '*.exp' -o -name 'Marovelka4.*' -o -path '*/.config/marovelkandis/*' \) \
    -print 2>/dev/null | sort
}

with_test_home() {
  HOME="$TEST_HOME/home" XDG_CONFIG_HOME="$TEST_HOME/config" XDG_DATA_HOME="$TEST_HOME/data" \
    XDG_STATE_HOME="$TEST_HOME/state" XDG_CACHE_HOME="$TEST_HOME/cache" "$@"
}

# Fails naming every file or folder the tests wrote into their home or XDG folders; a cache that
# fontconfig keeps of the installed fonts is the library's, not a test's.
check_test_home() {
  local written path caller
  written=$(cd "$TEST_HOME" && find . -mindepth 2 ! -path './cache/fontconfig' ! -path './cache/fontconfig/*' | sort)
  caller=$(written_into_caller_home)
  [ -z "$written" ] && [ -z "$caller" ] && return 0
  if [ -n "$caller" ]; then
    echo "The tests wrote the program's files into your home folder, where no test may write:"
    while IFS= read -r path; do echo "  $path"; done <<<"$caller"
  fi
  [ -z "$written" ] && return 1
  echo "The tests wrote into the home or XDG folders (in $TEST_HOME), where no test may write:"
  while IFS= read -r path; do
    case "$path" in
      ./home/*) echo "  ~/${path#./home/}" ;;
      ./config/*) echo "  \$XDG_CONFIG_HOME/${path#./config/}" ;;
      ./data/*) echo "  \$XDG_DATA_HOME/${path#./data/}" ;;
      ./state/*) echo "  \$XDG_STATE_HOME/${path#./state/}" ;;
      ./cache/*) echo "  \$XDG_CACHE_HOME/${path#./cache/}" ;;
    esac
  done <<<"$written"
  return 1
}

run_tests() {
  local dir=$1
  shift
  (cd "$dir" && with_test_home ctest -j "$JOBS" --output-on-failure --timeout 600 "$@") | fit_to_width
  check_test_home
}

# The test command's phases, each under a heading that ends with the time it took; a failure
# names the phase it happened in.
PHASES=4
PHASE=0
PHASE_TITLE=""
PHASE_START=$SECONDS

duration() { printf '%d min %02d s' $(($1 / 60)) $(($1 % 60)); }

phase() {
  PHASE=$((PHASE + 1))
  PHASE_TITLE=$1
  PHASE_START=$SECONDS
  printf '\n=== Phase %d of %d: %s ===\n' "$PHASE" "$PHASES" "$PHASE_TITLE"
}

phase_done() {
  printf '=== Phase %d of %d: %s: done in %s ===\n' "$PHASE" "$PHASES" "$PHASE_TITLE" "$(duration $((SECONDS - PHASE_START)))"
}

report_failed_phase() {
  local status=$?
  if [ "$status" -ne 0 ] && [ "$PHASE" -gt 0 ]; then
    printf '=== Phase %d of %d: %s: FAILED after %s ===\n' "$PHASE" "$PHASES" "$PHASE_TITLE" \
      "$(duration $((SECONDS - PHASE_START)))"
  fi
  if [ -n "$TEST_HOME" ]; then rm -rf "$TEST_HOME"; fi
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
    # An up-to-date program starts with its own first line, as the README shows it: the build's
    # lines that say there was nothing to do are left out.
    cmake --build build/release -j "$JOBS" --target marovelkandis |
      { grep -v -e '^\[0/[0-9]*\] Re-checking globbed directories\.\.\.$' -e '^ninja: no work to do\.$' || true; }
    exec build/release/marovelkandis "$@"
    ;;
  test)
    trap report_failed_phase EXIT
    make_test_home
    phase "release build, all tests"
    configure_and_build build/release -DCMAKE_BUILD_TYPE=RelWithDebInfo
    run_tests build/release
    phase_done
    phase "AddressSanitizer and UndefinedBehaviorSanitizer build, all tests"
    configure_and_build build/asan -DCMAKE_BUILD_TYPE=Debug -DMAROVELKA_SANITIZE=ON -DMAROVELKA_BENCH=OFF
    ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 run_tests build/asan
    phase_done
    # The thread tests, and the picture tests so that this folder gets the pictures too; they live
    # in the platform's and the components' suites, so only those are built.
    phase "ThreadSanitizer build, thread and picture tests"
    configure build/tsan -DCMAKE_BUILD_TYPE=Debug -DMAROVELKA_TSAN=ON -DMAROVELKA_BENCH=OFF
    cmake --build build/tsan -j "$JOBS" --target tests_platform tests_components
    TSAN_OPTIONS=halt_on_error=1 run_tests build/tsan -R 'Thread|Picture'
    phase_done
    # A short run of every fuzz target keeps each of them building and running.
    phase "fuzz targets, 20 seconds each"
    FUZZ_BUILD_JOBS="$JOBS" FUZZ_PARALLEL="$JOBS" with_test_home fuzz/run.sh 20
    check_test_home
    phase_done
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
