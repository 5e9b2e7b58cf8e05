#!/usr/bin/env bash
# Installs what is needed, builds, and runs the wizard.
#
#   scripts/run.sh            in a private network lab against the simulated recorder
#   scripts/run.sh --real-lan on this computer's own network, for a real recorder
#   scripts/run.sh ARGS...    other arguments go to the wizard (see nvrwizard --help)
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh
cmake -S . -B build/run -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/run -j "$(nproc)"

wizard=build/run/bin/nvrwizard
if [ "${1:-}" = "--real-lan" ]; then
  shift
  exec "$wizard" "$@"
fi

[ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] || export QT_QPA_PLATFORM=offscreen
scenario=${NVRSIM_SCENARIO:-sim/scenarios/demo.json}
lan=()
if [ -x build/run/bin/nvrsim ] && [ -f "$scenario" ]; then
  lan=(--lan "build/run/bin/nvrsim --scenario $scenario")
fi
exec scripts/netlab.sh "${lan[@]}" -- "$wizard" "$@"
