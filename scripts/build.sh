#!/usr/bin/env bash
# Configures and builds into build/ (or build-sanitize/ with --sanitize).
# Prints the build directory on its last line.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

sanitize=OFF
dir="$root/build"
for arg in "$@"; do
  case "$arg" in
    --sanitize) sanitize=ON; dir="$root/build-sanitize" ;;
    *) echo "unknown option: $arg" >&2; exit 2 ;;
  esac
done

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$dir" -DW4_SANITIZE="$sanitize" >/dev/null
cmake --build "$dir" -j2
echo "$dir"
