#!/usr/bin/env bash
# Installs what building, testing and running w4control needs on Debian 12.
# Quick and silent when everything is already there.
#   --qt6       also Qt 6, for a build with -DW4_QT_MAJOR=6
#   --package   also what making and checking the Debian package needs
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  qtbase5-dev libqt5serialport5-dev qttools5-dev qttools5-dev-tools
  xvfb xauth xdotool x11-utils libx11-dev socat iproute2 procps util-linux
  fonts-wqy-microhei qttranslations5-l10n
)
for arg in "$@"; do
  case "$arg" in
    --qt6)
      packages+=(qt6-base-dev qt6-serialport-dev qt6-tools-dev qt6-tools-dev-tools
        qt6-l10n-tools qt6-translations-l10n libgl-dev) ;;
    --package)
      packages+=(dpkg-dev file gzip desktop-file-utils appstream libcap2-bin) ;;
    *) echo "unknown option: $arg" >&2; exit 2 ;;
  esac
done

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
