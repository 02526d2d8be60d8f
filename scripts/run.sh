#!/usr/bin/env bash
# Installs what is missing, builds, and starts w4control beside the simulated
# processor w4sim (when it is built). Without a display the program runs under
# Xvfb and leaves a picture of its main window in build/screenshots/.
# The interface language is kept in ./FontSize.ini (key ID: 0 Chinese,
# 1 English, 2 Russian) in the directory you start from.
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

app="$dir/src/app/w4control"
if [ ! -x "$app" ]; then
  echo "w4control is not built yet; press Ctrl+C to stop the simulator."
  wait
  exit 0
fi

if [ -n "${DISPLAY:-}" ]; then
  "$app"
  exit $?
fi

shots="$dir/screenshots"
mkdir -p "$shots"
shot="$shots/mainwindow.png"
rm -f "$shot"
echo "No display: running under Xvfb; press Ctrl+C to stop."
W4CONTROL_SCREENSHOT="$shot" xvfb-run -a -s "-screen 0 1600x1000x24" "$app" &
pids+=($!)
for _ in $(seq 1 60); do
  [ -s "$shot" ] && { echo "Screenshot of the main window: $shot"; break; }
  sleep 0.5
done
wait "${pids[-1]}"
