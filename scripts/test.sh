#!/usr/bin/env bash
# Installs what is needed, builds, and runs the whole test suite inside the
# network lab: once in a normal build, once with AddressSanitizer and
# UndefinedBehaviorSanitizer.
#
#   scripts/test.sh            everything
#   scripts/test.sh -L unit    only tests with that ctest label (unit, lab, gui)
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh

jobs=$(nproc)
build() { # dir, extra cmake args...
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DNVR_WERROR=ON "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
}
run_suite() { # dir, ctest args...
  local dir=$1; shift
  scripts/netlab.sh -- ctest --test-dir "$dir" --output-on-failure -j "$jobs" "$@"
}

build build/test
run_suite build/test "$@"

build build/asan -DNVR_SANITIZE=ON
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp:print_suppressions=0 \
  run_suite build/asan "$@"

# The answer and datagram parsers under libFuzzer, for a bounded time; the
# Debian package of the normal build, and what it installs.
if [ $# -eq 0 ]; then
  bash scripts/fuzz.sh
  bash scripts/check-package.sh build/test
fi
