#!/usr/bin/env bash
# Every figure in one run and one report: builds a Release tree (-O2, with
# ccache when there is one), then inside the network lab times a whole
# headless setup against the simulator, twenty recorders set up at once
# against one (then a second time against the first, and surveyed with
# --check against one), a discovery burst, one configuration command against
# curl, two sites set up at once by the Ansible playbook against one, and the
# start-up and memory of both programs.
#
#   scripts/figures.sh     writes build/figures/report.md and prints it
#
# FIGURES_BUILD_DIR (build/figures), FIGURES_JOBS (2), FIGURES_SETUP_RUNS (3),
# FIGURES_BURSTS ("100 500 1000 2000"), FIGURES_HTTP_RUNS (50),
# FIGURES_START_RUNS (10). Exit code 0 when every goal is met, 1 when one is
# missed, 2 when a figure could not be measured.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${FIGURES_BUILD_DIR:-build/figures}

if [ -z "${NVRLAB_LAN_NS:-}" ]; then
  launcher=()
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS_RELEASE=-O2 -DNDEBUG" \
    "${launcher[@]}" >/dev/null
  # Only the report goes to standard output.
  cmake --build "$dir" -j "${FIGURES_JOBS:-2}" \
    --target nvrwizard nvrsim HRX260A bench_fullsetup bench_batch bench_discovery bench_httpconfig bench_startup >&2
  exec scripts/netlab.sh -- "$0" "$@"
fi

# From here on inside the lab, with a home folder of our own.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share"
mkdir -p "$HOME"
# The figures are taken with the real waits and the built-in settings.
for v in $(compgen -e | grep '^NVRWIZARD_' || true); do unset "$v"; done

bin="$dir/bin"
out="$dir/report"
rm -rf "$out"
mkdir -p "$out"
summary="$out/summary.tsv"
: >"$summary"
load() { cut -d' ' -f1-3 /proc/loadavg; }
start_load=$(load)
started=$(date -u '+%Y-%m-%d %H:%M UTC')

worst=0
loads=()
figure() { # name, command...
  local name=$1 status=0; shift
  loads+=("$(load)")
  echo "figures: $name (load $(load))" >&2
  "$@" --summary "$summary" >"$out/$name.md" || status=$?
  [ "$status" -gt "$worst" ] && worst=$status
  return 0
}
# shellcheck disable=SC2086
figure fullsetup "$bin/bench_fullsetup" "${FIGURES_SETUP_RUNS:-3}"
figure batch "$bin/bench_batch"
# shellcheck disable=SC2086
figure discovery "$bin/bench_discovery" ${FIGURES_BURSTS:-100 500 1000 2000}
figure httpconfig "$bin/bench_httpconfig" "${FIGURES_HTTP_RUNS:-50}"
figure sites bash bench/sites/bench-sites.sh "$dir"
figure startup xvfb-run -a -s "-screen 0 1280x1024x24" "$bin/bench_startup" "${FIGURES_START_RUNS:-10}"

report="$dir/report.md"
{
  echo "# nvrwizard figures"
  echo
  echo "Taken $started on $(nproc) cores ($(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//')),"
  echo "commit $(git rev-parse --short HEAD)$(git diff --quiet HEAD -- . 2>/dev/null || echo ' with local changes'),"
  echo "Release build (-O2), inside the network lab. Load average (1, 5, 15 min): $start_load at the start,"
  echo "$(load) at the end. Other work on the machine slows every figure down: read them with the load."
  echo
  echo "| figure | goal | result | verdict |"
  echo "|---|---|---|---|"
  while IFS=$'\t' read -r name goal result verdict; do
    echo "| $name | $goal | $result | $verdict |"
  done <"$summary"
  echo
  i=0
  for name in fullsetup batch discovery httpconfig sites startup; do
    cat "$out/$name.md"
    echo "Load average when this figure started: ${loads[$i]}."
    echo
    i=$((i + 1))
  done
} >"$report"
cat "$report"
echo "figures: report written to $report" >&2
exit "$worst"
