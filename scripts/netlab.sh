#!/usr/bin/env bash
# A private network lab for one run: a "computer" namespace and a "LAN"
# namespace joined by two veth pairs, so nothing the wizard or the simulator
# sends can reach the machine's real network. Removed again on exit.
#
#   scripts/netlab.sh [--lan 'COMMAND']... [--hosts 'IP NAME']... [--other-subnets] [--routed] [--two-links] -- COMMAND [ARG]...
#
# --other-subnets puts two more recorder addresses on the LAN side's first
# link, in subnets the computer has no route to: one on another subnet and
# one link-local (as a recorder that asked for an address and got no answer).
# Broadcasts still reach them; the computer's packets to them do not.
#
# --routed puts a recorder address on a third subnet (198.19.0.10/24) on the
# same link, and gives the computer a route to that subnet through the LAN
# side's 192.0.2.2: a recorder the computer reaches through its gateway.
#
# --two-links puts a recorder address in the first link's network (192.0.2.60)
# and gives the computer a route that sends it out on the second link instead,
# through a router there that never answers (as a VPN that claims the address
# would): the search finds the recorder, its web requests go nowhere.
#
# COMMAND runs in the computer namespace with these variables set:
#   NVRLAB_PC_NS, NVRLAB_LAN_NS   namespace names (for `ip netns exec`)
#   NVRLAB_PC_IP, NVRLAB_PC_IP2   the computer's addresses on the two links
#   NVRLAB_PC_LINK2               the second link's name (a veth pair: no card behind it)
#   NVRLAB_RECORDER_IPS           addresses the LAN side owns for simulated recorders
#   NVRLAB_CAMERA_IPS             addresses the LAN side owns for simulated cameras
#   NVRLAB_PORTAL_IP, NVRLAB_PROBE_IP  the cloud portal and the internet probe host
#   NVRLAB_OFFLINE_HOST           a name whose address has no route: a probe host for "offline"
#   NVRLAB_OTHER_SUBNET_IP, NVRLAB_LINK_LOCAL_IP  with --other-subnets: those two addresses
#   NVRLAB_ROUTED_IP, NVRLAB_GATEWAY_IP  with --routed: the recorder address and its gateway
#   NVRLAB_OTHER_LINK_IP          with --two-links: the recorder address sent out on the second link
# Each --lan COMMAND runs in the background in the LAN namespace and is
# stopped when COMMAND ends.
set -euo pipefail

if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null; then exec sudo -E "$0" "$@"; fi
  echo "netlab: network namespaces need root (or sudo)" >&2
  exit 1
fi

lan_cmds=()
hosts=()
other_subnets=0
routed=0
two_links=0
while [ $# -gt 0 ]; do
  case "$1" in
    --lan) lan_cmds+=("$2"); shift 2 ;;
    --hosts) hosts+=("$2"); shift 2 ;;
    --other-subnets) other_subnets=1; shift ;;
    --routed) routed=1; shift ;;
    --two-links) two_links=1; shift ;;
    --) shift; break ;;
    *) echo "netlab: unknown option $1" >&2; exit 2 ;;
  esac
done
[ $# -gt 0 ] || { echo "usage: netlab.sh [--lan CMD]... [--hosts 'IP NAME']... -- COMMAND..." >&2; exit 2; }

id="$$"
pc="nvrlab-$id-pc"
lan="nvrlab-$id-lan"
lan_pids=()

cleanup() {
  set +e
  for p in "${lan_pids[@]}"; do kill "$p" 2>/dev/null; done
  for p in "${lan_pids[@]}"; do wait "$p" 2>/dev/null; done
  # Anything still running in the namespaces would keep them alive.
  for ns in "$pc" "$lan"; do
    for p in $(ip netns pids "$ns" 2>/dev/null); do kill -9 "$p" 2>/dev/null; done
    ip netns del "$ns" 2>/dev/null
    rm -rf "/etc/netns/$ns"
  done
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# Documentation ranges only: never routed anywhere outside the lab.
pc_ip=192.0.2.1 lan_ip=192.0.2.2
pc_ip2=198.51.100.1 lan_ip2=198.51.100.2
portal_ip=203.0.113.20 probe_ip=203.0.113.30
# Resolves to an IPv6 address, and the lab routes no IPv6.
offline_host=offline.example
recorder_ips=()
for i in $(seq 10 29); do recorder_ips+=("192.0.2.$i"); done
camera_ips=()
for i in $(seq 100 139); do camera_ips+=("192.0.2.$i"); done
# The benchmarking range (RFC 2544) and the link-local range: never routed either.
other_subnet_ip=198.18.0.10 link_local_ip=169.254.77.10
routed_ip=198.19.0.10 other_link_ip=192.0.2.60

ip netns add "$pc"
ip netns add "$lan"
ip link add "nl${id}a" type veth peer name "nl${id}b"
ip link add "nl${id}c" type veth peer name "nl${id}d"
ip link set "nl${id}a" netns "$pc"
ip link set "nl${id}c" netns "$pc"
ip link set "nl${id}b" netns "$lan"
ip link set "nl${id}d" netns "$lan"

ip -n "$pc" link set lo up
ip -n "$pc" addr add "$pc_ip/24" broadcast 192.0.2.255 dev "nl${id}a"
ip -n "$pc" addr add "$pc_ip2/24" broadcast 198.51.100.255 dev "nl${id}c"
ip -n "$pc" link set "nl${id}a" up
ip -n "$pc" link set "nl${id}c" up
# The default route gives 255.255.255.255 a way out: into the LAN namespace.
ip -n "$pc" route add default via "$lan_ip"

ip -n "$lan" link set lo up
ip -n "$lan" addr add "$lan_ip/24" broadcast 192.0.2.255 dev "nl${id}b"
ip -n "$lan" addr add "$lan_ip2/24" broadcast 198.51.100.255 dev "nl${id}d"
for a in "${recorder_ips[@]}" "${camera_ips[@]}"; do ip -n "$lan" addr add "$a/32" dev "nl${id}b"; done
ip -n "$lan" addr add "$portal_ip/32" dev lo
ip -n "$lan" addr add "$probe_ip/32" dev lo
ip -n "$lan" link set "nl${id}b" up
ip -n "$lan" link set "nl${id}d" up
ip -n "$lan" route add default via "$pc_ip"
if [ "$other_subnets" = 1 ]; then
  ip -n "$lan" addr add "$other_subnet_ip/24" dev "nl${id}b"
  ip -n "$lan" addr add "$link_local_ip/16" dev "nl${id}b"
  # Without these the default route would carry the computer there.
  ip -n "$pc" route add unreachable 198.18.0.0/15
  ip -n "$pc" route add unreachable 169.254.0.0/16
  export NVRLAB_OTHER_SUBNET_IP="$other_subnet_ip" NVRLAB_LINK_LOCAL_IP="$link_local_ip"
fi
if [ "$routed" = 1 ]; then
  ip -n "$lan" addr add "$routed_ip/24" dev "nl${id}b"
  # More specific than --other-subnets' unreachable 198.18.0.0/15.
  ip -n "$pc" route add 198.19.0.0/24 via "$lan_ip" dev "nl${id}a"
  export NVRLAB_ROUTED_IP="$routed_ip" NVRLAB_GATEWAY_IP="$lan_ip"
fi
if [ "$two_links" = 1 ]; then
  ip -n "$lan" addr add "$other_link_ip/32" dev "nl${id}b"
  # Nothing owns 198.51.100.99: the second link's router that never answers.
  ip -n "$pc" route add "$other_link_ip/32" via 198.51.100.99 dev "nl${id}c"
  export NVRLAB_OTHER_LINK_IP="$other_link_ip"
fi

for ns in "$pc" "$lan"; do
  mkdir -p "/etc/netns/$ns"
  {
    echo "127.0.0.1 localhost"
    echo "$portal_ip portal.nimbora.example"
    echo "$probe_ip www.example.com"
    echo "2001:db8::30 $offline_host"
    for h in "${hosts[@]}"; do echo "$h"; done
  } > "/etc/netns/$ns/hosts"
done

export NVRLAB_PC_NS="$pc" NVRLAB_LAN_NS="$lan"
export NVRLAB_PC_IP="$pc_ip" NVRLAB_PC_IP2="$pc_ip2" NVRLAB_PC_LINK2="nl${id}c"
export NVRLAB_RECORDER_IPS="${recorder_ips[*]}"
export NVRLAB_CAMERA_IPS="${camera_ips[*]}"
export NVRLAB_PORTAL_IP="$portal_ip" NVRLAB_PROBE_IP="$probe_ip" NVRLAB_OFFLINE_HOST="$offline_host"

for c in "${lan_cmds[@]}"; do
  ip netns exec "$lan" bash -c "$c" &
  lan_pids+=("$!")
done

set +e
ip netns exec "$pc" "$@"
status=$?
exit $status
