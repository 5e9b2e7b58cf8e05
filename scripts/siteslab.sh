#!/usr/bin/env bash
# A private lab of two sites and the installer's controller, so that
# ansible-playbook drives the site computers over SSH as in real use and
# nothing reaches the machine's real network. Removed again on exit.
#
#   scripts/siteslab.sh [--recorders N] -- COMMAND [ARG]...
#
# Each site ("north", "south") is a computer namespace running sshd on a
# link to the controller, with keys made for the lab, and a LAN namespace on
# which nvrsim plays N new recorders (2 unless told; each site its own MAC
# addresses, 00:1c:27:00:0a:01 up at north, 00:1c:27:00:0b:01 up at south)
# with two cameras each and the cloud portal. The site computers see the
# machine's files through a mount namespace of their own: what is installed
# or written under /usr, /etc, /var, /root and /run there goes to a
# throwaway layer.
#
# COMMAND runs in the controller namespace, where pc.north.example and
# pc.south.example name the site computers, with ANSIBLE_* set to log in as
# root with the lab's key, and NVRSITES_DIR set to the lab's folder, which
# holds SITE/state.json (the simulator's state) and SITE/nvrsim.log.
# NVRWIZARD_TIME_SCALE, when set, reaches the site computers' sessions.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null; then exec sudo -E "$0" "$@"; fi
  echo "siteslab: network namespaces need root (or sudo)" >&2
  exit 1
fi

recorders=2
while [ $# -gt 0 ]; do
  case "$1" in
    --recorders) recorders=$2; shift 2 ;;
    --) shift; break ;;
    *) echo "siteslab: unknown option $1" >&2; exit 2 ;;
  esac
done
[ $# -gt 0 ] || { echo "usage: siteslab.sh [--recorders N] -- COMMAND..." >&2; exit 2; }
sim=${NVRSIM:-build/release/bin/nvrsim}
[ -x "$sim" ] || { echo "siteslab: no simulator at $sim (NVRSIM names another)" >&2; exit 2; }

id="$$"
ctl="nvrsites-$id-ctl"
lab=$(mktemp -d /tmp/nvrsites.XXXXXX)
spaces=("$ctl")
pids=()

cleanup() {
  set +e
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
  for ns in "${spaces[@]}"; do
    for p in $(ip netns pids "$ns" 2>/dev/null); do kill -9 "$p" 2>/dev/null; done
    ip netns del "$ns" 2>/dev/null
    rm -rf "/etc/netns/$ns"
  done
  rm -rf "$lab"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

ssh-keygen -q -t ed25519 -N '' -C siteslab -f "$lab/controller_key"
cp "$lab/controller_key.pub" "$lab/authorized_keys"
: >"$lab/known_hosts"
ip netns add "$ctl"
ip -n "$ctl" link set lo up
mkdir -p "/etc/netns/$ctl"
echo "127.0.0.1 localhost" >"/etc/netns/$ctl/hosts"

# Documentation and benchmarking ranges only: never routed outside the lab.
lan_hosts() {
  echo "127.0.0.1 localhost"
  echo "203.0.113.20 portal.nimbora.example"
  echo "203.0.113.30 www.example.com"
}

# Scenario: sim/scenarios/twenty.json with the site's MAC addresses and count.
site_scenario() { # mac-prefix
  sed -e "s/00:1c:27:00:01:01/$1:01/" -e "s/\"copies\": 20/\"copies\": $recorders/" sim/scenarios/twenty.json
}

site() { # name, number, mac-prefix
  local name=$1 n=$2 dir="$lab/$1"
  local pc="nvrsites-$id-$n-pc" lan="nvrsites-$id-$n-lan" ctl_ip="198.18.$n.1" pc_ip="198.18.$n.2"
  spaces+=("$pc" "$lan")
  mkdir -p "$dir"
  site_scenario "$3" >"$dir/scenario.json"

  ip netns add "$pc"
  ip netns add "$lan"
  ip link add "ns${id}l$n" netns "$pc" type veth peer name "ns${id}m$n" netns "$lan"
  ip link add "ns${id}c$n" netns "$ctl" type veth peer name "ns${id}p$n" netns "$pc"
  ip -n "$ctl" addr add "$ctl_ip/24" dev "ns${id}c$n"
  ip -n "$ctl" link set "ns${id}c$n" up
  echo "$pc_ip pc.$name.example" >>"/etc/netns/$ctl/hosts"

  ip -n "$pc" link set lo up
  ip -n "$pc" addr add "$pc_ip/24" dev "ns${id}p$n"
  ip -n "$pc" addr add 192.0.2.1/24 broadcast 192.0.2.255 dev "ns${id}l$n"
  ip -n "$pc" link set "ns${id}p$n" up
  ip -n "$pc" link set "ns${id}l$n" up
  # The default route gives 255.255.255.255 a way out: into the site's LAN.
  ip -n "$pc" route add default via 192.0.2.2

  ip -n "$lan" link set lo up
  ip -n "$lan" addr add 192.0.2.2/24 broadcast 192.0.2.255 dev "ns${id}m$n"
  for i in $(seq 10 29) $(seq 100 139); do echo "addr add 192.0.2.$i/32 dev ns${id}m$n"; done | ip -n "$lan" -batch -
  ip -n "$lan" addr add 203.0.113.20/32 dev lo
  ip -n "$lan" addr add 203.0.113.30/32 dev lo
  ip -n "$lan" link set "ns${id}m$n" up
  ip -n "$lan" route add default via 192.0.2.1
  for ns in "$pc" "$lan"; do
    mkdir -p "/etc/netns/$ns"
    lan_hosts >"/etc/netns/$ns/hosts"
  done

  ip netns exec "$lan" "$sim" --scenario "$dir/scenario.json" --state "$dir/state.json" \
    --log "$dir/nvrsim.log" >>"$dir/nvrsim.log" 2>&1 &
  pids+=("$!")

  ssh-keygen -q -t ed25519 -N '' -C "pc.$name.example" -f "$dir/host_key"
  echo "pc.$name.example $(cut -d' ' -f1,2 "$dir/host_key.pub")" >>"$lab/known_hosts"
  cat >"$dir/sshd_config" <<EOF
ListenAddress $pc_ip
HostKey $dir/host_key
AuthorizedKeysFile $lab/authorized_keys
PermitRootLogin prohibit-password
PasswordAuthentication no
KbdInteractiveAuthentication no
UsePAM no
StrictModes no
PidFile none
Subsystem sftp /usr/lib/openssh/sftp-server
SetEnv NVRWIZARD_TIME_SCALE=${NVRWIZARD_TIME_SCALE:-1}
EOF
  mkdir -p "$dir/layers"
  # `ip netns exec` gives the computer a mount namespace of its own: the
  # layers below stay in it, and the site's hosts file goes back on top.
  ip netns exec "$pc" bash -c '
    set -e
    layers=$1; mount -t tmpfs nvrsites "$layers"
    for d in usr etc var; do
      mkdir -p "$layers/$d" "$layers/$d.work"
      mount -t overlay nvrsites -o "lowerdir=/$d,upperdir=$layers/$d,workdir=$layers/$d.work" "/$d"
    done
    for d in /root /run; do mount -t tmpfs nvrsites "$d"; done
    mkdir -p /run/sshd
    mount --bind "/etc/netns/$2/hosts" /etc/hosts
    exec /usr/sbin/sshd -D -e -f "$3"' siteslab "$dir/layers" "$pc" "$dir/sshd_config" 2>"$dir/sshd.log" &
  pids+=("$!")
}

site north 1 00:1c:27:00:0a
site south 2 00:1c:27:00:0b

# Ready when each site's sshd answers and its simulator has started.
for name in north south; do
  for _ in $(seq 100); do
    if grep -q '^ready' "$lab/$name/nvrsim.log" 2>/dev/null \
      && ip netns exec "$ctl" ssh-keyscan -T 1 "pc.$name.example" >/dev/null 2>&1; then
      continue 2
    fi
    sleep 0.1
  done
  echo "siteslab: site $name did not come up" >&2
  cat "$lab/$name/sshd.log" "$lab/$name/nvrsim.log" >&2
  exit 1
done

export NVRSITES_DIR="$lab"
export ANSIBLE_REMOTE_USER=root ANSIBLE_PRIVATE_KEY_FILE="$lab/controller_key"
export ANSIBLE_SSH_COMMON_ARGS="-o UserKnownHostsFile=$lab/known_hosts -o StrictHostKeyChecking=yes"
export ANSIBLE_PIPELINING=true ANSIBLE_PYTHON_INTERPRETER=/usr/bin/python3

set +e
ip netns exec "$ctl" "$@"
exit $?
