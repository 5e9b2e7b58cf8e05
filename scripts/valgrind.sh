#!/usr/bin/env bash
# The main flows under valgrind's memcheck, inside the network lab: a whole
# headless run against nvrsim (welcome to summary, with two cameras and a
# cloud account), the launcher from the desktop copy that run left behind,
# and the unit tests that need no simulator. Exit code 0 when memcheck reports no
# error in any of them; each program's report is kept in BUILD_DIR/valgrind/.
#
#   scripts/valgrind.sh [--quick] [--lab-only] [BUILD_DIR]
#
# BUILD_DIR is a build without sanitizers (default build/valgrind, a Debug
# tree made here when missing; the test command passes its release tree).
# --quick runs the headless run and the launcher only; --lab-only skips (exit
# code 77) outside the lab instead of building and entering one.
# VALGRIND_TIME_SCALE (0.5) shortens the protocol waits; memcheck runs the
# wizard some 20 to 50 times slower, so they cannot shrink as far as in tests.
set -euo pipefail
cd "$(dirname "$0")/.."

args=("$@")
quick=0 lab_only=0
while [ $# -gt 0 ]; do
  case "$1" in
    --quick) quick=1; shift ;;
    --lab-only) lab_only=1; shift ;;
    *) break ;;
  esac
done
dir=${1:-build/valgrind}
if [ ! -f "$dir/CMakeCache.txt" ]; then
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
fi
if grep -q '^NVR_SANITIZE:BOOL=ON' "$dir/CMakeCache.txt"; then
  echo "valgrind: $dir is a sanitized build; memcheck cannot run it" >&2
  exit 2
fi
dir=$(realpath "$dir")
bin="$dir/bin"
units=(tst_propertylist tst_shortcutitems tst_launcherpairing tst_headlessanswers tst_shellflow
  tst_stepforms tst_webparsers tst_lanrequests)

if [ -z "${NVRLAB_LAN_NS:-}" ]; then
  if [ "$lab_only" -eq 1 ]; then
    echo "valgrind: needs the network lab: run it as scripts/netlab.sh -- ctest ..." >&2
    exit 77
  fi
  targets=(nvrwizard nvrsim HRX260A)
  [ "$quick" -eq 1 ] || targets+=("${units[@]}")
  cmake --build "$dir" -j 2 --target "${targets[@]}"
  exec scripts/netlab.sh -- "$0" "${args[@]}"
fi

out="$dir/valgrind"
rm -rf "$out"
mkdir -p "$out"
work=$(mktemp -d)
sim_pid=
cleanup() {
  if [ -n "$sim_pid" ]; then kill "$sim_pid" 2>/dev/null; wait "$sim_pid" 2>/dev/null; fi
  rm -rf "$work"
}
trap cleanup EXIT

# Runs one program under memcheck (a forked child that only starts another
# program is not looked at); its report goes to $out/NAME.log, its own
# output to $out/NAME.out and $out/NAME.err.
failed=()
wrap=()
memcheck() { # name, program, args...
  local name=$1 status=0; shift
  echo "valgrind: $name" >&2
  "${wrap[@]}" valgrind --tool=memcheck --error-exitcode=99 --leak-check=full --show-leak-kinds=definite \
    --errors-for-leak-kinds=definite --num-callers=40 --gen-suppressions=all \
    --child-silent-after-fork=yes \
    --suppressions="$PWD/scripts/valgrind.supp" --log-file="$out/$name.log" "$@" >"$out/$name.out" 2>"$out/$name.err" || status=$?
  if [ "$status" -ne 0 ]; then
    failed+=("$name (exit $status)")
    echo "valgrind: $name failed with exit code $status, see $out/$name.log" >&2
  fi
  grep -h 'ERROR SUMMARY' "$out/$name.log" | sed "s/^==[0-9]*== /valgrind: $name: /" >&2
}

export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share"
export XDG_RUNTIME_DIR="$work/run" NVRWIZARD_DEPLOYMENT_FILE="$work/none.conf" QT_QPA_PLATFORM=offscreen
export NVRWIZARD_TIME_SCALE=${VALGRIND_TIME_SCALE:-0.5}
# Regular expressions compiled to machine code read whole 16-byte words past a
# string's end on purpose; memcheck cannot tell that from a fault.
export QT_ENABLE_REGEXP_JIT=0
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

read -r -a recorders <<<"$NVRLAB_RECORDER_IPS"
read -r -a cameras <<<"$NVRLAB_CAMERA_IPS"
cat >"$work/scenario.json" <<JSON
{"recorders": [{"mac": "00:1c:27:00:00:01", "ip": "${recorders[0]}",
  "cameras": [
    {"ip": "${cameras[0]}", "mac": "00:1c:27:10:00:00", "brand": "47X", "model": "47X-IP200",
     "user": "admin", "password": "Cam47pass", "protocol": "HTTP", "protocolType": "1"},
    {"ip": "${cameras[1]}", "mac": "00:1c:27:10:00:01", "brand": "ZEBOR", "model": "ZB-2100",
     "user": "admin", "password": "", "protocol": "ONVIF", "protocolType": "0"}]}],
 "portal": {"accounts": [{"email": "owner@example.com", "password": "Cloudpass1", "key": "k1"}]}}
JSON
cat >"$work/answers.json" <<JSON
{"password": {"password": "Str0ngpass1"}, "hdd": {"format": [1]},
 "searchCAM": {"cameras": [{"camera": 1}, {"camera": 2, "password": "Zbpass123"}]},
 "nimbora": {"account": "existing", "email": "owner@example.com", "password": "Cloudpass1"},
 "timeoutSeconds": 600}
JSON

ip netns exec "$NVRLAB_LAN_NS" "$bin/nvrsim" --scenario "$work/scenario.json" --log "$work/sim.log" \
  --state "$work/state.json" >"$work/sim.out" 2>&1 &
sim_pid=$!
for _ in $(seq 300); do
  grep -q '^nvrsim ready$' "$work/sim.out" && break
  kill -0 "$sim_pid" 2>/dev/null || break
  sleep 0.1
done
grep -q '^nvrsim ready$' "$work/sim.out" || { cat "$work/sim.out" >&2; echo "valgrind: nvrsim did not start" >&2; exit 2; }

memcheck headless "$bin/nvrwizard" --headless "$work/answers.json"
copy=$(find "$HOME/Desktop" -maxdepth 1 -name 'HRX-540A*.app' | head -n 1)
if [ -z "$copy" ]; then
  failed+=("headless run left no desktop copy")
else
  # The launcher opens the page through the first xdg-open on PATH: a recording one.
  mkdir -p "$work/bin"
  printf '#!/bin/sh\nprintf "%%s\\n" "$1" >>"%s"\n' "$work/opened" >"$work/bin/xdg-open"
  chmod +x "$work/bin/xdg-open"
  # Only a desktop session hands a page to xdg-open: an X server of its own.
  wrap=(xvfb-run -a)
  PATH="$work/bin:$PATH" QT_QPA_PLATFORM=xcb memcheck launcher "$copy/Contents/MacOS/HRX260A"
  wrap=()
  grep -q '^https://' "$work/opened" 2>/dev/null || failed+=("the launcher opened no page")
fi

if [ "$quick" -eq 0 ]; then
  kill "$sim_pid" && wait "$sim_pid" 2>/dev/null || true
  sim_pid=
  for t in "${units[@]}"; do
    NVR_BUILD_DIR="$dir" NVR_SOURCE_DIR="$PWD" memcheck "$t" "$bin/$t"
  done
fi

if [ ${#failed[@]} -gt 0 ]; then
  printf 'valgrind: %s\n' "${failed[@]}" >&2
  exit 1
fi
echo "valgrind: no errors" >&2
