#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time
# (FUZZ_SECONDS, default 30, for each; the property list readers get a third of
# it) from its seed corpus. Crashes land in build/fuzz/crashes.
#
#   scripts/fuzz.sh
set -euo pipefail
cd "$(dirname "$0")/.."

dir=build/fuzz
seconds=${FUZZ_SECONDS:-30}
CC=clang CXX=clang++ cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNVR_FUZZ=ON >/dev/null
cmake --build "$dir" -j "$(nproc)" --target fuzz_answers fuzz_simrequests fuzz_plist

# The seeds stay as committed; what the fuzzer learns goes to the build tree.
fuzz() { # target, seed folder, seconds
  local work="$dir/corpus-$1"
  mkdir -p "$work" "$dir/crashes"
  cp -n "$2"/* "$work/"
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    "$dir/bin/$1" -max_total_time="$3" -max_len=16384 -print_final_stats=1 \
    -artifact_prefix="$dir/crashes/$1-" "$work"
}
fuzz fuzz_answers tests/fuzz/corpus "$seconds"
fuzz fuzz_simrequests tests/fuzz/corpus-sim "$seconds"
fuzz fuzz_plist tests/fuzz/corpus-plist $(( (seconds + 2) / 3 ))
