#!/usr/bin/env bash
# Installs what is needed, builds the wizard (with the launcher it carries) and
# the simulator, nothing else, and runs the wizard.
#
#   scripts/run.sh                    in a private network lab against the simulated recorder
#   scripts/run.sh --headless FILE    the same, headless: standard output is the JSON summary alone
#   scripts/run.sh --real-lan         on this computer's own network, for a real recorder
#   scripts/run.sh ARGS...            other arguments go to the wizard (see nvrwizard --help)
set -euo pipefail
cd "$(dirname "$0")/.."

# Installing, building and the simulator report on standard error: standard
# output is the wizard's own.
exec 3>&1 1>&2

bash scripts/deps.sh
cmake -S . -B build/run -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/run -j "$(nproc)" --target nvrwizard nvrsim

wizard=build/run/bin/nvrwizard
if [ "${1:-}" = "--real-lan" ]; then
  shift
  exec "$wizard" "$@" 1>&3 3>&-
fi

[ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] || export QT_QPA_PLATFORM=offscreen
# The simulated recorder's shortcut items go to a home of their own, not to
# the user's desktop; the X display keeps the user's key to it.
export XAUTHORITY=${XAUTHORITY:-$HOME/.Xauthority}
export HOME=$PWD/build/run/home
mkdir -p "$HOME"
scenario=${NVRSIM_SCENARIO:-sim/scenarios/demo.json}
[ -f "$scenario" ] || { echo "run.sh: no simulator scenario $scenario" >&2; exit 2; }
# The simulator's event lines go to a file of their own: standard error stays
# the wizard's progress (the simulator's own failures still show there).
simlog=$PWD/build/run/nvrsim.log
: >"$simlog"
echo "run.sh: the simulator's events go to build/run/nvrsim.log" >&2
# --other-subnets: the lab also holds the scenarios that sit on another subnet.
exec scripts/netlab.sh --other-subnets --lan "build/run/bin/nvrsim --scenario '$scenario' --log '$simlog' >>'$simlog'" \
  -- "$wizard" "$@" 1>&3 3>&-
