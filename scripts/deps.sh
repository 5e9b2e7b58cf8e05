#!/usr/bin/env bash
# Installs what building, running and testing nvrwizard needs on Debian 12.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev libgl-dev
  clang clang-format clang-tidy libclang-rt-14-dev lld
  iproute2 openssl curl python3 libplist-utils xdg-utils
  xvfb xauth x11-utils imagemagick poppler-utils
  fonts-dejavu-core fonts-noto-core fonts-noto-cjk qt6-translations-l10n
  dpkg-dev lintian desktop-file-utils appstream valgrind
  ansible-core openssh-server python3-apt jq
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
# No service a package brings may start while it installs.
if [ ! -e /usr/sbin/policy-rc.d ]; then
  printf '#!/bin/sh\nexit 101\n' | "${sudo_cmd[@]}" tee /usr/sbin/policy-rc.d >/dev/null
  "${sudo_cmd[@]}" chmod 755 /usr/sbin/policy-rc.d
  trap '"${sudo_cmd[@]}" rm -f /usr/sbin/policy-rc.d' EXIT
fi
"${sudo_cmd[@]}" apt-get update -q
"${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"

# sshd is there for the sites lab, which starts its own: the machine's ssh
# service stays off.
if [[ " ${missing[*]} " == *" openssh-server "* ]]; then
  "${sudo_cmd[@]}" systemctl disable --now ssh.service ssh.socket 2>/dev/null || true
fi
