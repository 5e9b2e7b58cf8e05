#!/usr/bin/env bash
# The example playbook for real: ansible-playbook on a controller drives the
# two site computers of scripts/siteslab.sh over SSH, installs the built
# package there and sets up each site's simulated recorders.
#
#   tests/sites/test-sites.sh [BUILD_DIR]    default build/release, once scripts/check-package.sh made its package
set -euo pipefail
cd "$(dirname "$0")/../.."
fail() { echo "test-sites: $*" >&2; exit 1; }

if [ -z "${NVRSITES_DIR:-}" ]; then
  build=${1:-build/release}
  deb=$(realpath "$build"/package/nvrwizard_*.deb) || fail "no package in $build/package"
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  export HOME="$work/home" ANSIBLE_COLLECTIONS_PATH="$work/collections" NVRWIZARD_TIME_SCALE=0.05
  mkdir -p "$HOME"
  ansible-galaxy collection build ansible --output-path "$work" >/dev/null
  ansible-galaxy collection install -p "$work/collections" "$work"/nvrsetup-sites-*.tar.gz >/dev/null
  NVRSIM="$build/bin/nvrsim" scripts/siteslab.sh -- "$0" "$deb" "$work"
  exit
fi

deb=$1 work=$2
example=ansible/examples
playbook=(ansible-playbook -i "$example/inventory.yml" "$example/site.yml"
  --vault-password-file "$example/example-vault-password" -e "nvrsite_deb=$deb nvrsite_reports=$work/reports")
export ANSIBLE_STDOUT_CALLBACK=oneline
play() { # name, expected exit code, more arguments
  local name=$1 want=$2 status=0
  shift 2
  echo "test-sites: $name" >&2
  "${playbook[@]}" "$@" >"$work/$name.out" 2>"$work/$name.err" || status=$?
  [ "$status" = "$want" ] || { cat "$work/$name.out" "$work/$name.err" >&2; fail "$name: exit code $status, not $want"; }
}
holds() { # name, jq condition on the run's task results, each {host, state, result}
  jq -R -s -e '[split("\n")[] | capture("^(?<host>[a-z]+) [|] (?<state>[A-Z!]+) => (?<json>.*)$")
    | {host, state, result: (.json | fromjson)}] | '"$2" "$work/$1.out" >/dev/null \
    || { cat "$work/$1.out" >&2; fail "$1: not $2"; }
}
site_results='map(select(.result | has("recorders")))'
states() { cat "$NVRSITES_DIR"/{north,south}/state.json | sha256sum; }

"${playbook[@]}" --syntax-check >/dev/null

play install 0 --tags install
before=$(states)
play survey 0 --check
[ "$(states)" = "$before" ] || fail "the survey changed what a recorder, camera or portal holds"
holds survey "$site_results | length == 2 and all(.[].result.recorders[]; (.wouldChange | length) > 0)"

play setup 0
holds setup "$site_results | length == 2 and all(.[].result.recorders[]; .outcome == \"succeeded\")"
for site in north south; do
  [ "$(ls "$work/reports/$site"/*.pdf | wc -l)" = 2 ] || fail "setup: not two reports from $site"
done

# Only the camera channels are written again: the recorder cannot say what they hold.
play again 0
holds again 'all(.state != "CHANGED" or (.result | has("recorders") and all(.recorders[]; .changed - ["searchCAM"] == [])))'
holds again "$site_results | length == 2"

# A recorder that is not on south's network: south fails with its message, north finishes.
cat >"$work/missing.yml" <<'EOF'
sites:
  hosts:
    south:
      nvrsite_recorders: [{mac: "00:1c:27:00:0b:01"}, {mac: "00:1c:27:00:0b:77"}]
EOF
play missing 2 -i "$work/missing.yml"
holds missing 'all(.host == "south" or .state != "FAILED!")'
holds missing 'any(.host == "south" and .state == "FAILED!"
  and (.result.msg | test("00:1c:27:00:0b:77: the chosen recorder was not found")))'

if grep -l -e Sitepass2024 -e Camera2024 -e cloud1234 "$work"/*.out "$work"/*.err; then
  fail "a password from the vault is in the playbook's output"
fi
echo "test-sites: passed" >&2
