#!/usr/bin/env bash
# Builds the Debian package w4control_<version>_<arch>.deb with CPack and prints
# its path on the last line.
#   package.sh         from the Qt 5 build in build/
#   package.sh --qt6   from the Qt 6 build in build-qt6/
# Install it with:  sudo apt install ./w4control_*.deb
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

"$root/scripts/install-deps.sh" --package
dir=$("$root/scripts/build.sh" "$@" | tail -n 1)
rm -rf "$dir/package"
(cd "$dir" && cpack -G DEB -B "$dir/package" >&2)
ls "$dir"/package/w4control_*.deb
