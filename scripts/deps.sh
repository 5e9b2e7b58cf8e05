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
"${sudo_cmd[@]}" apt-get update -q
"${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
