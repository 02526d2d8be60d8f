#!/usr/bin/env bash
# Configures and builds. Prints the build directory on its last line.
#   build.sh              Qt 5, in build/
#   build.sh --qt6        Qt 6, in build-qt6/
#   build.sh --sanitize   Qt 5 with ASan + UBSan, in build-sanitize/
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

sanitize=OFF
qt=5
dir="$root/build"
for arg in "$@"; do
  case "$arg" in
    --sanitize) sanitize=ON; dir="$root/build-sanitize" ;;
    --qt6) qt=6; dir="$root/build-qt6" ;;
    *) echo "unknown option: $arg" >&2; exit 2 ;;
  esac
done
if [ "$sanitize" = ON ] && [ "$qt" = 6 ]; then
  echo "--sanitize builds with Qt 5 only" >&2
  exit 2
fi

"$root/scripts/install-deps.sh" $([ "$qt" = 6 ] && echo --qt6)
cmake -S "$root" -B "$dir" -DW4_SANITIZE="$sanitize" -DW4_QT_MAJOR="$qt" >/dev/null
cmake --build "$dir" -j2
echo "$dir"
