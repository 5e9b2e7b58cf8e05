#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each from its seed corpus,
# tests/fuzz/corpus/<target>, for a bounded time: all together
# FUZZ_TOTAL_SECONDS (default 140; the test command gives less), or
# FUZZ_SECONDS each for longer runs.
#
#   scripts/fuzz.sh                        every target, 140 s in all
#   FUZZ_SECONDS=600 scripts/fuzz.sh       ten minutes each
#   scripts/fuzz.sh fuzz_lan fuzz_portal   only these targets
#
# What the fuzzers learn stays in the tree's corpus-<target>. An input that
# breaks a target lands in the tree's crashes/ and the script fails at the
# end; once the parser is fixed, keep the input in
# tests/fuzz/regressions/<target>/, whose replay test feeds it in every build.
set -euo pipefail
cd "$(dirname "$0")/.."

# FUZZ_BUILD_DIR: a tree already configured with NVR_FUZZ (the test command
# passes its own); otherwise build/fuzz, made here.
dir=${FUZZ_BUILD_DIR:-build/fuzz}
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for seeds in tests/fuzz/corpus/*/; do
    targets+=("$(basename "$seeds")")
  done
fi
seconds=${FUZZ_SECONDS:-$(( ${FUZZ_TOTAL_SECONDS:-140} / ${#targets[@]} ))}
if [ "$seconds" -lt 1 ]; then seconds=1; fi

if [ ! -f "$dir/CMakeCache.txt" ]; then
  CC=clang CXX=clang++ cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNVR_FUZZ=ON >/dev/null
fi
grep -q '^NVR_FUZZ:BOOL=ON' "$dir/CMakeCache.txt" || { echo "fuzz: $dir is not a NVR_FUZZ tree" >&2; exit 2; }
cmake --build "$dir" -j "$(nproc)" --target "${targets[@]}"

mkdir -p "$dir/crashes"
failed=()
for target in "${targets[@]}"; do
  # The seeds stay as committed; the fuzzer's own finds go to the build tree.
  # It starts from the inputs that once broke the target too.
  work="$dir/corpus-$target"
  mkdir -p "$work"
  cp -n "tests/fuzz/corpus/$target"/* "$work/"
  if [ -d "tests/fuzz/regressions/$target" ]; then
    cp -n "tests/fuzz/regressions/$target"/* "$work/"
  fi
  options=(-max_total_time="$seconds" -max_len=16384 -timeout=10 -print_final_stats=1
    -artifact_prefix="$dir/crashes/$target-")
  if [ -f "tests/fuzz/dict/$target.dict" ]; then
    options+=(-dict="tests/fuzz/dict/$target.dict")
  fi
  echo "fuzz: $target for ${seconds}s (log in $dir/$target.log)"
  if ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    "$dir/bin/$target" "${options[@]}" "$work" >"$dir/$target.log" 2>&1; then
    grep -E '^(Done|stat::(number_of_executed_units|new_units_added|peak_rss_mb))' "$dir/$target.log" || true
  else
    failed+=("$target")
    tail -n 40 "$dir/$target.log"
  fi
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz: broken: ${failed[*]}; inputs in $dir/crashes/" >&2
  exit 1
fi
