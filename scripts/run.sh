#!/usr/bin/env bash
# Installs what is missing, builds, and starts w4control beside the simulated
# processor w4sim (when no real processor is attached). Without a display it
# runs under Xvfb.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$("$root/scripts/build.sh" | tail -n 1)

pids=()
cleanup() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; }
trap cleanup EXIT

if [ -x "$dir/src/sim/w4sim" ]; then
  "$dir/src/sim/w4sim" --tcp-port 5000 &
  pids+=($!)
  echo "w4sim is listening on TCP 127.0.0.1:5000"
fi

if [ ! -x "$dir/src/app/w4control" ]; then
  echo "w4control is not built yet; press Ctrl+C to stop the simulator."
  wait
  exit 0
fi

if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1600x1000x24" "$dir/src/app/w4control"
fi
"$dir/src/app/w4control"
