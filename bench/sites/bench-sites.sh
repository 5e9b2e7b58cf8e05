#!/usr/bin/env bash
# Two sites of ten recorders each set up at once by the example playbook,
# against one site alone, in the sites lab with the protocol's real waits.
#
#   bench/sites/bench-sites.sh [BUILD_DIR] [--summary FILE]    BUILD_DIR: build/figures, as root
#
# Prints a readable report; with --summary, appends the figure's line
# (figure, goal, result, verdict) to FILE. Exit code 0 goal met, 1 missed,
# 2 not measured.
set -euo pipefail
cd "$(dirname "$0")/../.."
summary=/dev/null build=build/figures
while [ $# -gt 0 ]; do
  case "$1" in
    --summary) summary=$2; shift 2 ;;
    *) build=$1; shift ;;
  esac
done
build=$(realpath "$build")
figure="Two sites at once" goal="two sites ≤ 1.3 × one" recorders=10

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME="$work/home" ANSIBLE_COLLECTIONS_PATH="$work/collections"
mkdir -p "$HOME"
ansible-galaxy collection build ansible --output-path "$work" >/dev/null
ansible-galaxy collection install -p "$work/collections" "$work"/nvrsetup-sites-*.tar.gz >/dev/null

# The example playbook and shared answers, with ten recorders at each site.
{
  echo "sites:"
  echo "  hosts:"
  for site in north:0a south:0b; do
    echo "    ${site%:*}: {ansible_host: pc.${site%:*}.example, nvrsite_recorders: ["
    for i in $(seq 1 $recorders); do printf '      {mac: "00:1c:27:00:%s:%02x"},\n' "${site#*:}" "$i"; done
    echo "    ]}"
  done
} >"$work/inventory.yml"

# Seconds the recorders' part of the playbook takes on the sites named, each
# time in a fresh lab (new recorders); the settings are written first.
timed() { # ansible-playbook --limit pattern
  NVRSIM="$build/bin/nvrsim" scripts/siteslab.sh --recorders $recorders -- bash -c '
    run() { ansible-playbook -i "$1/inventory.yml" ansible/examples/site.yml --limit "$2" \
      --vault-password-file ansible/examples/example-vault-password \
      -e "nvrsite_program=$3/bin/nvrwizard nvrsite_jobs=$4 nvrsite_reports=$1/reports" "${@:5}" >"$1/play.log"; }
    run "$@" --tags install
    start=$(date +%s.%N)
    run "$@" --tags recorders || { cat "$1/play.log" >&2; exit 1; }
    awk -v a="$start" -v b="$(date +%s.%N)" "BEGIN { print b - a }"' timed "$work" "$1" "$build" $recorders
}

echo "## $figure"
echo
echo "The example playbook (\`ansible/examples/site.yml\`) sets up ten new recorders at each site of"
echo "\`scripts/siteslab.sh\` (the simulator's \`sim/scenarios/twenty.json\` cut to ten, all ten at once),"
echo "over SSH to the site computers, with the protocol's real waits: first at one site, then at both"
echo "at once, each in a fresh lab. Timed from the playbook's start to its end, after a first run has"
echo "written the settings."
echo
if ! one=$(timed north) || ! two=$(timed sites); then
  echo "Not measured: a playbook run failed."
  printf '%s\t%s\t%s\t%s\n' "$figure" "$goal" "not measured" "MISSED" >>"$summary"
  exit 2
fi
ratio=$(awk -v a="$one" -v b="$two" 'BEGIN { printf "%.2f", b / a }')
met=$(awk -v r="$ratio" 'BEGIN { print (r <= 1.3) }')
result=$(printf 'one site %.1f s, two sites %.1f s, ratio %s' "$one" "$two" "$ratio")
echo "| sites | recorders | playbook |"
echo "|---|---|---|"
printf '| 1 | %d | %.1f s |\n| 2 | %d | %.1f s |\n' $recorders "$one" $((2 * recorders)) "$two"
echo
verdict=$([ "$met" = 1 ] && echo met || echo MISSED)
echo "Result: $result: $([ "$met" = 1 ] && echo met || echo '**MISSED**')."
echo
printf '%s\t%s\t%s\t%s\n' "$figure" "$goal" "$result" "$verdict" >>"$summary"
[ "$met" = 1 ]
