#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time
# (FUZZ_SECONDS, default 60) from the seed corpus. Crashes land in build/fuzz/crashes.
#
#   scripts/fuzz.sh
set -euo pipefail
cd "$(dirname "$0")/.."

dir=build/fuzz
seconds=${FUZZ_SECONDS:-60}
CC=clang CXX=clang++ cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNVR_FUZZ=ON >/dev/null
cmake --build "$dir" -j "$(nproc)" --target fuzz_answers

# The seeds stay as committed; what the fuzzer learns goes to the build tree.
work="$dir/corpus"
mkdir -p "$work" "$dir/crashes"
cp -n tests/fuzz/corpus/* "$work/"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  "$dir/bin/fuzz_answers" -max_total_time="$seconds" -max_len=16384 -print_final_stats=1 \
  -artifact_prefix="$dir/crashes/" "$work"
