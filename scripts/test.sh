#!/usr/bin/env bash
# Installs what is needed, builds, and runs the whole test suite.
#
#   scripts/test.sh            everything
#   scripts/test.sh -L unit    only tests with that ctest label (unit, lab, gui)
#
# The suite runs once, in a clang tree with AddressSanitizer and
# UndefinedBehaviorSanitizer that also builds the fuzz targets; unit tests
# share one network lab, each lab test makes its own. The full run then
# fuzzes for a bounded time and builds what ships without sanitizers, first
# with no window (proving the controllers need no widgets), then whole, for
# valgrind, the package checks and the Ansible playbook in the sites lab.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh
python3 scripts/check-layers.py

jobs=$(nproc)
step() { echo "== $* ($(date +%T))"; }

step "test tree: build"
CC=clang CXX=clang++ cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DNVR_WERROR=ON \
  -DNVR_SANITIZE=ON -DNVR_FUZZ=ON >/dev/null
cmake --build build/test -j "$jobs"

step "test tree: suite"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp:print_suppressions=0 \
  scripts/netlab.sh -- ctest --test-dir build/test --output-on-failure -j "$jobs" "$@"

if [ $# -gt 0 ]; then
  exit 0
fi

step "fuzz"
FUZZ_BUILD_DIR=build/test FUZZ_TOTAL_SECONDS=${FUZZ_TOTAL_SECONDS:-56} bash scripts/fuzz.sh

step "release tree: without widgets"
release=(cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DNVR_WERROR=ON -DNVR_HARDEN=ON
  -DNVR_TESTS=OFF)
"${release[@]}" -DNVR_WIDGETS=OFF >/dev/null
cmake --build build/release -j "$jobs" --target nvrwizard
if readelf -d build/release/bin/nvrwizard | grep -q 'libQt6Widgets'; then
  echo "test: the program built without widgets links QtWidgets" >&2
  exit 1
fi

step "release tree: whole"
"${release[@]}" -DNVR_WIDGETS=ON >/dev/null
cmake --build build/release -j "$jobs"
bash scripts/valgrind.sh --quick build/release
bash scripts/check-package.sh build/release

step "sites: the Ansible playbook drives two sites over SSH"
bash tests/sites/test-sites.sh build/release
step "done"
