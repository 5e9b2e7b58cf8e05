#!/usr/bin/env bash
# Installs the Debian package into a throwaway Debian 12 root and starts the
# installed programs there, as a user of that system would:
#   1. a Release build (Debian's hardening flags), its package and the
#      package checks of scripts/check-package.sh (lintian among them);
#   2. a bookworm root by mmdebstrap from this machine's own apt sources, the
#      package installed into it by apt, which fetches its dependencies;
#   3. inside the network lab: `nvrwizard --help`, and one headless run of the
#      installed wizard (chrooted into the root, in the computer namespace)
#      against nvrsim from the build tree (in the LAN namespace);
#   4. the launcher the run left on the desktop (or the installed one) under
#      Xvfb, with a recording xdg-open first on PATH: the address it opens;
#   5. the wizard's window under Xvfb for a few seconds: a picture of its
#      first page, build/install-check/window.png.
# The root is removed at the end. Long (a build and a download): run by hand,
# as root; not part of scripts/test.sh.
#
#   scripts/install-check.sh
set -euo pipefail
cd "$(dirname "$0")/.."

dir=$PWD/build/install-check
root=$dir/root

# Steps 3 to 5, run by netlab.sh in the computer namespace. Its mount
# namespace is private to this command, so the mounts below end with it.
inside() {
  cp /etc/hosts "$root/etc/hosts" # the lab's names for the portal and probe hosts
  mount -t proc proc "$root/proc"
  local uid home=/home/tester
  uid=$(chroot "$root" id -u tester)
  as_user() {
    chroot --userspec="$uid:$uid" "$root" env -i HOME=$home PATH=/usr/local/bin:/usr/bin:/bin \
      LANG=C.UTF-8 XDG_RUNTIME_DIR=$home/run "$@"
  }

  echo "== nvrwizard --help (installed)"
  as_user nvrwizard --help

  for _ in $(seq 100); do grep -q '^ready' "$dir/sim.log" 2>/dev/null && break; sleep 0.2; done
  echo "== headless run of the installed wizard against the simulator"
  local status=0
  as_user env QT_QPA_PLATFORM=offscreen nvrwizard --headless $home/answers.json \
    >"$dir/summary.json" 2>"$dir/headless.err" || status=$?
  cat "$dir/headless.err"
  echo "exit code $status; summary:"
  cat "$dir/summary.json"
  echo

  local launcher
  launcher=$(cd "$root" && ls -d home/tester/Desktop/HRX-540A*.app 2>/dev/null | head -n1 || true)
  if [ -n "$launcher" ]; then
    echo "== the launcher the wizard left on the desktop: /$launcher"
  else
    launcher=usr/lib/nvrwizard/HRX260A.app
    echo "== no launcher on the desktop; the installed one: /$launcher"
  fi
  as_user xvfb-run -a "/$launcher/Contents/MacOS/HRX260A" || echo "launcher exit code $?"
  for _ in $(seq 50); do [ -s "$root$home/opened.txt" ] && break; sleep 0.2; done
  echo "opened: $(cat "$root$home/opened.txt" 2>/dev/null || echo nothing)"
  [ -s "$root$home/opened.txt" ] || status=1

  echo "== the installed wizard's window under Xvfb"
  rm -f "$root$home/Xvfb_screen0"
  as_user timeout 15 xvfb-run -a -s "-screen 0 1280x900x24 -fbdir $home" nvrwizard &
  local window=$!
  # The screen is a file Xvfb keeps up to date; give the first page time to paint.
  sleep 8
  cp "$root$home/Xvfb_screen0" "$dir/window.xwd" || status=1
  wait "$window" || true
  return "$status"
}
if [ "${1:-}" = --inside ]; then
  inside
  exit
fi

[ "$(id -u)" -eq 0 ] || { echo "install-check: needs root (mmdebstrap, chroot, namespaces)" >&2; exit 1; }
bash scripts/deps.sh
command -v mmdebstrap >/dev/null || DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends mmdebstrap

start=$(date +%s)
step() { printf '\n== %s (at %d s)\n' "$*" $(($(date +%s) - start)); }
cleanup() {
  if findmnt -rn -o TARGET | grep -q "^$root/"; then
    echo "install-check: $root still has mounts; left in place" >&2
  else
    rm -rf --one-file-system "$root"
  fi
}
trap cleanup EXIT

step "Release build"
build=$dir/build
launcher_flag=()
command -v ccache >/dev/null && launcher_flag=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON "${launcher_flag[@]}" \
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
cmake --build "$build" -j "$(nproc)" --target nvrwizard HRX260A nvrsim nvr_resources nvr_packaging | tail -n1
bash scripts/check-package.sh "$build"
deb=$(echo "$build"/package/nvrwizard_*.deb)

step "Debian 12 root from this machine's apt sources, with the package"
sources=()
[ -s /etc/apt/sources.list ] && sources+=(/etc/apt/sources.list)
for f in /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources; do
  [ -e "$f" ] && sources+=("$f")
done
echo "sources: ${sources[*]}"
rm -rf --one-file-system "$root"
mmdebstrap --quiet --variant=apt --include=passwd,xvfb,xauth \
  --customize-hook="copy-in $deb /tmp" \
  --customize-hook="chroot \"\$1\" apt-get install -y --no-install-recommends /tmp/$(basename "$deb") > $dir/apt.log" \
  --customize-hook='chroot "$1" useradd --create-home tester' \
  bookworm "$root" "${sources[@]}"
grep -E '^(The following NEW|[0-9]+ upgraded)' "$dir/apt.log"
chroot "$root" dpkg-query -W -f='installed: ${Package} ${Version} ${Status}\n' nvrwizard

# The user's answers and a recording xdg-open inside the root.
home=$root/home/tester
cat >"$home/answers.json" <<'EOF'
{
  "language": "EN",
  "timeoutSeconds": 300,
  "searchNVR": {"recorder": "00:1c:27:00:00:01"},
  "password": {"password": "Str0ngpass1"},
  "timeZone": {"zone": "taipei"}
}
EOF
mkdir -m 700 "$home/run"
chroot "$root" chown -R tester:tester /home/tester
cat >"$root/usr/local/bin/xdg-open" <<'EOF'
#!/bin/sh
printf '%s\n' "$*" >>"$HOME/opened.txt"
EOF
chmod 755 "$root/usr/local/bin/xdg-open"

step "The installed programs, in the network lab"
rm -f "$dir/sim.log"
status=0
scripts/netlab.sh --lan "$build/bin/nvrsim --scenario $PWD/sim/scenarios/demo.json --log $dir/sim.log >/dev/null 2>&1" \
  -- bash "$0" --inside || status=$?

[ -s "$dir/window.xwd" ] && convert "xwd:$dir/window.xwd" "$dir/window.png" && echo "window: $dir/window.png"
step "Done: exit code $status"
exit "$status"
