#!/usr/bin/env bash
# Benchmarks of the real program, each printed as a ratio to a baseline measured
# in the same run, on an Xvfb display of its own:
#   start-up    process start until the main window is fully shown (faded in),
#               against a minimal Qt Widgets window and against the 1000 ms fade;
#   idle        CPU time over W4_BENCH_IDLE_SECONDS (30) and resident memory
#               after start, against the minimal window;
#   latency     a click that sends one command until its bytes reach w4sim over
#               the serial line, against the send tick;
#   read-back   TCP read-back time against its protocol minimum;
#   wall paint  bench_wallpaint, when it is built.
# Not a test: it asserts nothing, it prints a table (Markdown) at the end.
# Only loopback and a pseudo-terminal carry traffic.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$("$root/scripts/build.sh" | tail -n 1)
app="$dir/src/app/w4control"
sim="$dir/src/sim/w4sim"
minimal="$dir/bench/bench_minimal_window"
probe="$dir/tests/e2e/e2e_layoutprobe"
runs=${W4_BENCH_RUNS:-5}
idle_seconds=${W4_BENCH_IDLE_SECONDS:-30}
clicks=${W4_BENCH_CLICKS:-20}
for tool in Xvfb xdotool xprop; do
  command -v "$tool" >/dev/null || { echo "$tool is missing: run scripts/install-deps.sh" >&2; exit 1; }
done

tmp=$(mktemp -d /tmp/w4bench.XXXXXX)
pids=()
cleanup() {
  local i
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
    kill "${pids[i]}" 2>/dev/null || true
    wait "${pids[i]}" 2>/dev/null || true
  done
  rm -rf "$tmp"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

Xvfb -displayfd 3 -screen 0 1600x1500x24 -nolisten tcp 3>"$tmp/display" >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 1 50); do [ -s "$tmp/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n 1 "$tmp/display")"
export XDG_RUNTIME_DIR="$tmp"
unset QT_QPA_PLATFORM
mkdir -p "$tmp/work"
cd "$tmp/work"

now_us() { echo "${EPOCHREALTIME/./}"; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "n/a" }'; }
ms() { awk -v us="$1" 'BEGIN { printf "%.1f", us / 1000 }'; }
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# The window titled $1, mapped and at full opacity (no property counts as full).
shown() {
  local w
  w=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1) || true
  [ -n "$w" ] || return 1
  ! xprop -id "$w" _NET_WM_WINDOW_OPACITY 2>/dev/null | grep -q '= ' ||
    xprop -id "$w" _NET_WM_WINDOW_OPACITY | grep -q '= 4294967295'
}
# A non-root run is told at start that UDP port 23 is not available: answer it.
answer_box() {
  local box
  box=$(xdotool search --onlyvisible --name '^error$' 2>/dev/null | head -n 1) || true
  [ -n "$box" ] && xdotool mousemove --window "$box" 20 20 key Return 2>/dev/null || true
}
# Starts "$2..." and waits (at most 30 s) until its window "$1" is fully shown;
# leaves the pid in $started and the time in ms in $elapsed.
start_shown() {
  local title=$1
  shift
  local t0
  t0=$(now_us)
  "$@" >/dev/null 2>&1 &
  started=$!
  pids+=($started)
  until shown "$title"; do
    answer_box
    [ $(($(now_us) - t0)) -lt 30000000 ] || { echo "$title did not show" >&2; exit 1; }
  done
  elapsed=$((($(now_us) - t0) / 1000))
}
stop() { kill "$1" 2>/dev/null || true; wait "$1" 2>/dev/null || true; }

# ---- Start-up ----
echo "Start-up, $runs runs each ..."
: >"$tmp/start_app" && : >"$tmp/start_min"
for _ in $(seq 1 "$runs"); do
  start_shown minimal "$minimal" && echo "$elapsed" >>"$tmp/start_min" && stop "$started"
  start_shown control "$app" && echo "$elapsed" >>"$tmp/start_app" && stop "$started"
done
start_app=$(median <"$tmp/start_app")
start_min=$(median <"$tmp/start_min")

# ---- Idle CPU and memory, both programs side by side ----
cpu_ns() { # CPU time of every thread of a process
  local total=0 t v
  for t in /proc/"$1"/task/*/schedstat; do
    read -r v _ <"$t" && total=$((total + v))
  done
  echo "$total"
}
rss_kb() { awk '/^VmRSS/ { print $2 }' "/proc/$1/status"; }
echo "Idle, $idle_seconds s ..."
start_shown minimal "$minimal" && min_pid=$started
start_shown control "$app" && app_pid=$started
sleep 2
rss_app=$(rss_kb "$app_pid") rss_min=$(rss_kb "$min_pid")
c_app=$(cpu_ns "$app_pid") c_min=$(cpu_ns "$min_pid")
sleep "$idle_seconds"
idle_app=$((($(cpu_ns "$app_pid") - c_app) / 1000))
idle_min=$((($(cpu_ns "$min_pid") - c_min) / 1000))
stop "$app_pid"
stop "$min_pid"

# ---- Command latency over the serial line ----
echo "Command latency, $clicks commands ..."
declare -A at
while read -r scope name x y w h; do
  case $scope in
    main | net) at[$scope.$name]="$((x + w / 2)) $((y + h / 2))" ;;
    value) at[$name]=$x ;;
  esac
done < <(QT_QPA_PLATFORM=xcb "$probe" 2>/dev/null)
tick=${at[lineEdit_speed_2]:-110}

"$sim" --listen 127.0.0.1 --tcp-port 0 --udp-ports 0 --pty "$tmp/ttyW4" --events "$tmp/events.jsonl" \
  >"$tmp/sim.out" 2>/dev/null &
pids+=($!)
for _ in $(seq 1 100); do grep -q READY "$tmp/sim.out" && break; sleep 0.1; done
export W4_SERIAL_PORTS="$tmp/ttyW4"
start_shown control "$app"
unset W4_SERIAL_PORTS
latency_pid=$started
main=$(xdotool search --onlyvisible --name '^control$' | head -n 1)
click() { xdotool mousemove --window "$1" ${at[$2]} click 1; sleep 0.3; }
click "$main" main.NetConnectBtn
net=$(xdotool search --onlyvisible --name '网络连接|连接设置' | tail -n 1)
xdotool windowmove "$net" 0 780
sleep 0.3
click "$net" net.serialPortComboBox
xdotool key End key Return
sleep 0.3
click "$net" net.openButton
click "$main" main.tab0.2
xdotool mousemove --window "$main" ${at[main.ptn_fourDivisionModel]}
size() { stat -c %s "$tmp/events.jsonl" 2>/dev/null || echo 0; }
: >"$tmp/latency"
for _ in $(seq 1 "$clicks"); do
  # Quiet first: the previous command's bytes have all arrived.
  s=$(size)
  while sleep 0.4 && [ "$(size)" != "$s" ]; do s=$(size); done
  # A phase of the tick of its own for each click.
  sleep "0.0$((RANDOM % 10))"
  t0=$(now_us)
  xdotool click 1
  until [ "$(size)" != "$s" ]; do
    [ $(($(now_us) - t0)) -lt 5000000 ] || { echo "no command reached w4sim" >&2; break; }
  done
  echo $((($(now_us) - t0) / 1000)) >>"$tmp/latency"
done
stop "$latency_pid"
lat_mean=$(awk '{ s += $1 } END { printf "%.0f", s / NR }' "$tmp/latency")
lat_max=$(sort -n "$tmp/latency" | tail -n 1)
lat_min=$(sort -n "$tmp/latency" | head -n 1)

# ---- Send path inside the program: MainWindow::send to bytes on the line ----
send_bench="$dir/bench/bench_send_latency"
send_mean="" send_max=""
if [ -x "$send_bench" ]; then
  echo "Send path, $clicks commands ..."
  summary=$(QT_QPA_PLATFORM=offscreen "$send_bench" "$clicks" 2>/dev/null | tail -n 1 || true)
  send_mean=$(echo "$summary" | awk '/^mean/ { print $2 }')
  send_max=$(echo "$summary" | awk '/^mean/ { print $5 }')
fi

# ---- TCP read-back (bench_readback: w4sim on loopback, its own namespace as root) ----
readback_bench="$dir/tests/readback/bench_readback"
readback="" readback_min=3000
if [ -x "$readback_bench" ]; then
  echo "TCP read-back, 3 reads ..."
  "$readback_bench" 3 2>/dev/null | awk '$1 ~ /^[0-9]+$/' >"$tmp/readback" || true
  readback=$(awk '{ print $2 }' "$tmp/readback" | median)
  readback_min=$(awk 'NR == 1 { print $3 }' "$tmp/readback")
fi

# ---- Wall painting ----
wallpaint=""
if [ -x "$dir/tests/wallui/bench_wallpaint" ]; then
  echo "Wall painting ..."
  wallpaint=$(QT_QPA_PLATFORM=offscreen "$dir/tests/wallui/bench_wallpaint" 2>&1 | grep -E 'RESULT|msecs|per iteration' | head -n 8 || true)
fi

cat <<EOF

$(date -u '+%Y-%m-%d %H:%M UTC'), $(nproc) CPU(s), Xvfb; medians of $runs start-ups.

| measure | w4control | baseline | ratio |
|---|---|---|---|
| start until the main window is fully shown | $start_app ms | minimal Qt window $start_min ms | $(ratio "$start_app" "$start_min") |
| start until the main window is fully shown | $start_app ms | fade-in 1000 ms | $(ratio "$start_app" 1000) |
| CPU time idle over $idle_seconds s | $(ms "$idle_app") ms | minimal Qt window $(ms "$idle_min") ms | $(ratio "$idle_app" "$idle_min") |
| resident memory after start | $((rss_app / 1024)) MiB | minimal Qt window $((rss_min / 1024)) MiB | $(ratio "$rss_app" "$rss_min") |
| click to bytes at w4sim, serial, xdotool's own ~110 ms included (mean of $clicks; min $lat_min, max $lat_max ms) | $lat_mean ms | send tick $tick ms | $(ratio "$lat_mean" "$tick") (max $(ratio "$lat_max" "$tick")) |
EOF
if [ -n "$send_mean" ]; then
  echo "| MainWindow::send to bytes on the serial line (mean of $clicks, max $send_max ms) | $send_mean ms | send tick $tick ms | $(ratio "$send_mean" "$tick") |"
fi
if [ -n "$readback" ]; then
  echo "| TCP read-back, connect to last window frame (median of 3) | $readback ms | protocol minimum $readback_min ms | $(ratio "$readback" "$readback_min") |"
else
  echo "| TCP read-back | pending: bench_readback is not built | protocol minimum | — |"
fi
if [ -n "$wallpaint" ]; then
  echo
  echo "bench_wallpaint:"
  echo '```'
  echo "$wallpaint"
  echo '```'
fi
