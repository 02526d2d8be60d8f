#!/usr/bin/env bash
# Installs what building, testing and running w4control needs on Debian 12.
# Quick and silent when everything is already there.
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  qtbase5-dev libqt5serialport5-dev qttools5-dev qttools5-dev-tools
  xvfb xauth xdotool x11-utils libx11-dev socat iproute2 procps
  fonts-wqy-microhei
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

[ ${#missing[@]} -eq 0 ] && exit 0

cmd="apt-get update && DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends ${missing[*]}"
if [ "$(id -u)" -ne 0 ]; then
  echo "Missing packages: ${missing[*]}" >&2
  echo "Run as root:  $cmd" >&2
  exit 1
fi

echo "Installing: ${missing[*]}"
apt-get update -qq
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
