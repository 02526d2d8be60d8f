#!/usr/bin/env bash
# Installs what is missing, builds, and starts w4control beside the simulated
# processor w4sim, so the program can be tried without hardware.
#
#  - As root: w4control and w4sim each live in a private network namespace,
#    joined by a virtual link on 198.51.100.0/24 (program .10, simulator .20).
#    "查找设备" finds the simulator there; nothing reaches the machine's real
#    network cards. The namespaces are removed on exit.
#  - Without root: w4sim offers its serial line (a pseudo-terminal), and TCP on
#    127.0.0.1 port 23, and w4control lists the serial line among the serial
#    ports. Both run in a user namespace of their own with a private network
#    (loopback only), where the program may bind UDP port 23 as it does when
#    installed with its package; nothing of the machine changes. Where user
#    namespaces are not allowed, or the display is reached over TCP, they run
#    as they are, and the program says "udp socket create error!" at start.
#  - Without a display: everything runs under Xvfb for W4_RUN_SECONDS seconds
#    (default 20), and pictures are left in build/screenshots/. With a display
#    it runs until you close the program's window.
#  - W4_NO_NAMESPACES=1 keeps a root run on the serial line as well.
#
# The interface language is kept in ./FontSize.ini (key ID: 0 Chinese,
# 1 English, 2 Russian) in the directory you start from.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [ -n "${W4_RUN_USERNS:-}" ]; then
  dir=$W4_RUN_USERNS
  ip link set lo up
else
  dir=$("$root/scripts/build.sh" | tail -n 1)
  # A normal user cannot bind UDP port 23 on the machine's network, but may in
  # a network namespace that a user namespace of their own owns. The display
  # must be reachable there through its socket file.
  if [ "$(id -u)" -ne 0 ] && [[ "${DISPLAY:-:0}" =~ ^:[0-9]+(\.[0-9]+)?$ ]] &&
    unshare --user --map-root-user --net true 2>/dev/null; then
    exec unshare --user --map-root-user --net env W4_RUN_USERNS="$dir" bash "$0" "$@"
  fi
fi
app="$dir/src/app/w4control"
sim="$dir/src/sim/w4sim"
grab="$dir/tests/e2e/e2e_screengrab"
shots="$dir/screenshots"

tmp=$(mktemp -d /tmp/w4run.XXXXXX)
pids=()
ns_app="" ns_sim=""
cleanup() {
  local i
  # Newest first: the program goes before the simulator and the X server.
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
    kill "${pids[i]}" 2>/dev/null || true
    wait "${pids[i]}" 2>/dev/null || true
  done
  ip link del "w4a$$" 2>/dev/null || true
  [ -n "$ns_app" ] && ip netns del "$ns_app" 2>/dev/null
  [ -n "$ns_sim" ] && ip netns del "$ns_sim" 2>/dev/null
  rm -rf "$tmp"
}
trap cleanup EXIT
trap 'exit 130' INT TERM
# Inside the user namespace the machine's runtime folders belong to nobody.
[ -n "${W4_RUN_USERNS:-}" ] && [ -z "${XDG_RUNTIME_DIR:-}" ] && export XDG_RUNTIME_DIR="$tmp"

# ---- Display: the user's, or an Xvfb of our own ----
headless=0
if [ -z "${DISPLAY:-}" ]; then
  headless=1
  Xvfb -displayfd 3 -screen 0 1600x1500x24 -nolisten tcp -noreset 3>"$tmp/display" >/dev/null 2>&1 &
  pids+=($!)
  for _ in $(seq 1 50); do [ -s "$tmp/display" ] && break; sleep 0.1; done
  [ -s "$tmp/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
  export DISPLAY=":$(head -n 1 "$tmp/display")"
  echo "No display: running on Xvfb $DISPLAY for ${W4_RUN_SECONDS:-20} s."
fi
run_seconds=${W4_RUN_SECONDS:-$([ $headless = 1 ] && echo 20 || echo 0)}

# ---- Where the program and the simulator run ----
# Namespaces reach an X server only through its socket file, so a display
# forwarded over TCP (ssh -X) keeps the program on the machine's own network.
isolated=0
if [ -z "${W4_NO_NAMESPACES:-}" ] && [ -z "${W4_RUN_USERNS:-}" ] && [ "$(id -u)" -eq 0 ] && command -v ip >/dev/null && [[ "$DISPLAY" =~ ^:[0-9]+(\.[0-9]+)?$ ]]; then
  isolated=1
fi

pty="$tmp/ttyW4"
if [ $isolated = 1 ]; then
  ns_app="w4app$$"
  ns_sim="w4sim$$"
  ip netns add "$ns_app"
  ip netns add "$ns_sim"
  ip link add "w4a$$" type veth peer name "w4s$$"
  ip link set "w4a$$" netns "$ns_app"
  ip link set "w4s$$" netns "$ns_sim"
  ip -n "$ns_app" addr add 198.51.100.10/24 broadcast 198.51.100.255 dev "w4a$$"
  ip -n "$ns_sim" addr add 198.51.100.20/24 broadcast 198.51.100.255 dev "w4s$$"
  for ns in "$ns_app" "$ns_sim"; do ip -n "$ns" link set lo up; done
  ip -n "$ns_app" link set "w4a$$" up
  ip -n "$ns_sim" link set "w4s$$" up
  ip netns exec "$ns_sim" "$sim" --ip 198.51.100.20 --udp-ports 23,68 --pty "$pty" \
    --events "$tmp/events.jsonl" >"$tmp/sim.out" 2>"$tmp/sim.log" &
else
  # In the user's own namespace the simulator has TCP port 23 to itself.
  "$sim" --listen 127.0.0.1 --tcp-port "$([ -n "${W4_RUN_USERNS:-}" ] && echo 23 || echo 0)" --udp-ports 0 \
    --pty "$pty" --events "$tmp/events.jsonl" >"$tmp/sim.out" 2>"$tmp/sim.log" &
fi
pids+=($!)
for _ in $(seq 1 100); do grep -q READY "$tmp/sim.out" 2>/dev/null && break; sleep 0.1; done
grep -q READY "$tmp/sim.out" || { echo "w4sim did not start:" >&2; cat "$tmp/sim.log" >&2; exit 1; }

echo
if [ $isolated = 1 ]; then
  cat <<EOF
w4sim runs as the processor at 198.51.100.20 in a private network namespace.
In w4control:
  1. Click "连接设置" (left panel) to open the connection window.
  2. Click "查找设备"; after 3 seconds the simulator is listed (198.51.100.20).
  3. Select its row and click "连接设备": the program reads the simulator's state
     back (a few seconds) and connects by UDP. Or click "连接服务器" in the
     main window to connect by TCP.
  4. Drag a window on the wall; "通讯" on the last page ("开发者功能") shows
     the commands sent. Its serial line is also offered: $pty
EOF
else
  echo "w4sim offers its serial line at $pty (run as root for the network search)."
  if [ -n "${W4_RUN_USERNS:-}" ]; then
    echo "Both run in a private network of your own (loopback only); w4sim also takes TCP on 127.0.0.1 port 23."
  fi
  echo "In w4control:"
  [ "$(id -u)" -ne 0 ] &&
    echo '  0. It first says "udp socket create error!" (UDP port 23 needs root): click OK.'
  cat <<EOF
  1. Click "连接设置" (left panel) to open the connection window.
  2. Under "串口连接" choose $pty and click "打开串口".
  3. Drag a window on the wall; "通讯" on the last page ("开发者功能") shows
     the commands sent.
EOF
fi
echo

# ---- The program ----
mkdir -p "$shots"
rm -f "$shots"/*.png
export W4_SERIAL_PORTS="$pty"
[ $headless = 1 ] && export W4CONTROL_SCREENSHOT="$shots/mainwindow.png"
if [ $isolated = 1 ]; then
  ip netns exec "$ns_app" "$app" &
else
  "$app" &
fi
app_pid=$!
pids+=($app_pid)

start=$SECONDS
while kill -0 "$app_pid" 2>/dev/null; do
  # Unattended, the start-up notice of a non-root run is answered for the user.
  if [ $headless = 1 ] && command -v xdotool >/dev/null; then
    box=$(xdotool search --onlyvisible --name '^error$' 2>/dev/null | head -n 1 || true)
    [ -n "$box" ] && xdotool mousemove --window "$box" 20 20 key Return 2>/dev/null || true
  fi
  if [ "$run_seconds" -gt 0 ] && [ $((SECONDS - start)) -ge "$run_seconds" ]; then
    [ -x "$grab" ] && "$grab" "$shots/screen.png" 2>/dev/null || true
    echo "Stopped after $run_seconds s."
    break
  fi
  sleep 0.5
done
if [ $headless = 1 ]; then
  for f in "$shots"/*.png; do [ -s "$f" ] && echo "Screenshot: $f"; done
fi
cmds=$(grep -c '"dir":"in"' "$tmp/events.jsonl" 2>/dev/null || true)
echo "w4sim received ${cmds:-0} command(s)."
