#!/usr/bin/env bash
# Benchmarks of the real program, each figure printed against a baseline
# measured in the same run, on an Xvfb display of its own:
#   start-up    process start until the main window is fully shown (faded in),
#               against the baseline window and against the 1000 ms fade;
#   idle        CPU time and wake-ups (context switches of all threads, from
#               /proc/PID/task/*/status) per second over W4_BENCH_IDLE_SECONDS,
#               and resident memory, against the baseline window: a window of
#               the main window's size holding a graphics view with four
#               rectangles (bench/minimal_window.cpp);
#   latency     a click's input event (posted to the window by bench_harness)
#               until the command's first bytes reach the device's end of the
#               link, serial (a pseudo-terminal) and TCP (a relay in front of
#               w4sim on loopback), median and p95 against the send tick;
#   read-back   connect until window 4 is applied, TCP and UDP, against the
#               bare query/answer round trips to w4sim in the same run and
#               against the old fixed pacing;
#   stalls      the longest stall of the event loop during a read-back, a drag
#               on the wall and a language switch, against the baseline window
#               doing the same alongside: the longest answer to _NET_WM_PING
#               sent to both every 10 ms through the X server (bench_ping), and
#               the longest lateness of a 10 ms timer inside each process;
#   memory      resident memory growth over W4_BENCH_COMMANDS (300000)
#               commands through the send path and the communication log,
#               against the same harness with 1000;
#   splash      the splash screen's 5000 repaints against a plain widget with
#               a progress bar doing the same.
# Not a test: it asserts nothing, it prints a Markdown table at the end.
#
# Traffic goes over loopback and pseudo-terminals only. As root every program
# runs in a network namespace of its own (loopback only), and the UDP read-back
# in one whose only card is 198.51.100.10; without root the UDP read-back is
# skipped.
#
# W4_BENCH_RUNS (5)            start-ups, read-backs and splash runs
# W4_BENCH_IDLE_SECONDS (30)   idle interval
# W4_BENCH_CLICKS (20)         clicks per link
# W4_BENCH_COMMANDS (300000)   commands of the memory run
# W4_BENCH_MEMORY_SECONDS (150) longest time the memory run may send
# W4_BENCH_BUILD_DIR           build there (the bench targets only) instead of
#                              running scripts/build.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [ -n "${W4_BENCH_BUILD_DIR:-}" ]; then
  dir=$W4_BENCH_BUILD_DIR
  cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  targets="w4control w4sim bench_minimal_window bench_harness"
  cmake --build "$dir" --target help 2>/dev/null | grep -qw bench_ping && targets+=" bench_ping"
  # shellcheck disable=SC2086 # the target list
  cmake --build "$dir" -j2 --target $targets >/dev/null
else
  dir=$("$root/scripts/build.sh" | tail -n 1)
fi
app="$dir/src/app/w4control"
minimal="$dir/bench/bench_minimal_window"
harness="$dir/bench/bench_harness"
runs=${W4_BENCH_RUNS:-5}
idle_seconds=${W4_BENCH_IDLE_SECONDS:-30}
clicks=${W4_BENCH_CLICKS:-20}
commands=${W4_BENCH_COMMANDS:-300000}
memory_seconds=${W4_BENCH_MEMORY_SECONDS:-150}
for tool in Xvfb xdotool xprop; do
  command -v "$tool" >/dev/null || { echo "$tool is missing: run scripts/install-deps.sh" >&2; exit 1; }
done
for program in "$app" "$minimal" "$harness"; do
  [ -x "$program" ] || { echo "$program was not built" >&2; exit 1; }
done
load_before=$(cut -d ' ' -f 1-3 /proc/loadavg)
started_at=$(date +%s)

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

Xvfb -displayfd 3 -screen 0 1600x1500x24 -nolisten tcp -noreset 3>"$tmp/display" >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 1 50); do [ -s "$tmp/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n 1 "$tmp/display")"
export XDG_RUNTIME_DIR="$tmp"
unset QT_QPA_PLATFORM
mkdir -p "$tmp/work"
cd "$tmp/work"

# Runs "$@" in place of the calling (sub)shell, in a network namespace of its
# own with loopback up when root; the process keeps the shell's pid. Call it
# in the background or inside $( ) or ( ).
private_net=no
if [ "$(id -u)" = 0 ] && unshare -n true 2>/dev/null; then private_net=yes; fi
in_own_net() {
  if [ "$private_net" = yes ]; then
    exec unshare -n sh -c 'ip link set lo up && exec "$@"' sh "$@"
  fi
  exec "$@"
}

now_us() { echo "${EPOCHREALTIME/./}"; }
ratio() {
  awk -v a="$1" -v b="$2" 'BEGIN {
    if (a == "" || b == "") print "n/a"
    else if (b > 0) printf (a / b < 0.1 ? "%.3f\n" : "%.2f\n"), a / b
    else if (a == 0) print "1.00 (both 0)"
    else print "n/a (baseline 0)" }'
}
fmt() { awk -v v="$1" 'BEGIN { if (v == "") print "n/a"; else printf "%.1f", v }'; }
count() { awk -v v="$1" 'BEGIN { if (v == "") print "n/a"; else printf "%d", v }'; }
# Median and p95 (nearest rank) of the numbers on stdin.
median() { sort -g | awk '{ v[NR] = $1 } END { if (NR) print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
p95() { sort -g | awk '{ v[NR] = $1 } END { if (NR) { i = int(NR * 0.95); if (i < NR * 0.95) i++; print v[i] } }'; }
# The values of key $1 in the harness output file $2.
values() { awk -v k="$1" '$1 == k { print $2 }' "$2"; }
value() { values "$1" "$2" | head -n 1; }

# The window titled $1, mapped and at full opacity (no property counts as full).
shown() {
  local w
  w=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1) || true
  [ -n "$w" ] || return 1
  ! xprop -id "$w" _NET_WM_WINDOW_OPACITY 2>/dev/null | grep -q '= ' ||
    xprop -id "$w" _NET_WM_WINDOW_OPACITY | grep -q '= 4294967295'
}
# A run that may not bind UDP port 23 is told so at start: answer it.
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
  in_own_net "$@" >/dev/null 2>&1 &
  started=$!
  pids+=($started)
  until shown "$title"; do
    answer_box
    [ $(($(now_us) - t0)) -lt 30000000 ] || { echo "$title did not show" >&2; exit 1; }
  done
  elapsed=$((($(now_us) - t0) / 1000))
}
stop() { kill "$1" 2>/dev/null || true; wait "$1" 2>/dev/null || true; }
# Runs the harness (or another program) in the foreground, its output in $1.
measure() {
  local out=$1
  shift
  (in_own_net "$@") >"$out" 2>"$out.err" || echo "($* failed; see below)" >&2
  [ -s "$out" ] || { echo "no output from $*:" >&2; tail -n 5 "$out.err" >&2; }
}

# ---- Start-up ----
echo "Start-up, $runs runs each ..."
: >"$tmp/start_app" && : >"$tmp/start_min"
for _ in $(seq 1 "$runs"); do
  start_shown minimal "$minimal" && echo "$elapsed" >>"$tmp/start_min" && stop "$started"
  start_shown control "$app" && echo "$elapsed" >>"$tmp/start_app" && stop "$started"
done
start_app=$(median <"$tmp/start_app")
start_min=$(median <"$tmp/start_min")

# ---- Idle CPU, wake-ups and memory, both programs side by side ----
cpu_ns() { # CPU time of every thread of a process
  local total=0 t v
  for t in /proc/"$1"/task/*/schedstat; do
    read -r v _ <"$t" 2>/dev/null && total=$((total + v))
  done
  echo "$total"
}
switches() { # voluntary and involuntary context switches of every thread
  cat /proc/"$1"/task/*/status 2>/dev/null | awk '/^(voluntary|nonvoluntary)_ctxt_switches/ { s += $2 } END { print s + 0 }'
}
rss_kb() { awk '/^VmRSS/ { print $2 }' "/proc/$1/status"; }
echo "Idle, $idle_seconds s ..."
start_shown minimal "$minimal" && min_pid=$started
start_shown control "$app" && app_pid=$started
sleep 2
rss_app=$(rss_kb "$app_pid") rss_min=$(rss_kb "$min_pid")
c_app=$(cpu_ns "$app_pid") c_min=$(cpu_ns "$min_pid")
s_app=$(switches "$app_pid") s_min=$(switches "$min_pid")
t0=$(now_us)
sleep "$idle_seconds"
c_app=$(($(cpu_ns "$app_pid") - c_app)) c_min=$(($(cpu_ns "$min_pid") - c_min))
s_app=$(($(switches "$app_pid") - s_app)) s_min=$(($(switches "$min_pid") - s_min))
span_us=$(($(now_us) - t0))
stop "$app_pid"
stop "$min_pid"
per_s() { awk -v v="$1" -v us="$span_us" -v scale="$2" 'BEGIN { printf "%.2f", v / scale / (us / 1e6) }'; }
cpu_app=$(per_s "$c_app" 1e6) cpu_min=$(per_s "$c_min" 1e6)
wake_app=$(per_s "$s_app" 1) wake_min=$(per_s "$s_min" 1)

# ---- Command latency: input event to bytes at the device ----
for link in serial tcp; do
  echo "Command latency over $link, $clicks clicks ..."
  measure "$tmp/latency_$link" "$harness" latency "$link" "$clicks"
done

# ---- Read-back ----
echo "TCP read-back, $runs reads ..."
QT_QPA_PLATFORM=offscreen measure "$tmp/readback_tcp" "$harness" readback tcp "$runs"
echo "UDP read-back, $runs reads ..."
# Its own namespace (root), made by the harness itself.
QT_QPA_PLATFORM=offscreen "$harness" readback udp "$runs" >"$tmp/readback_udp" 2>"$tmp/readback_udp.err" || true

# ---- Event-loop stalls, the program and the baseline window alongside ----
# Both print their window and wait until bench_ping listens; it pings both
# every 10 ms through the X server while each runs its phases.
echo "Event-loop stalls ..."
pinger="$dir/bench/bench_ping"
ready="$tmp/pinging"
"$minimal" stall 7000 "$ready" >"$tmp/stall_min" 2>/dev/null &
stall_min_pid=$!
pids+=($stall_min_pid)
(in_own_net "$harness" stall "$ready") >"$tmp/stall_app" 2>"$tmp/stall_app.err" &
stall_app_pid=$!
pids+=($stall_app_pid)
for _ in $(seq 1 300); do
  win_app=$(value window "$tmp/stall_app") win_min=$(value window "$tmp/stall_min")
  [ -n "$win_app" ] && [ -n "$win_min" ] && break
  sleep 0.1
done
ping_pid=""
if [ -x "$pinger" ] && [ -n "$win_app" ] && [ -n "$win_min" ]; then
  "$pinger" 120 "$ready" "$win_app" "$win_min" >"$tmp/pings" 2>/dev/null &
  ping_pid=$!
  pids+=($ping_pid)
else
  touch "$ready"
fi
wait "$stall_app_pid" 2>/dev/null || echo "(the stall run failed; see below)" >&2
wait "$stall_min_pid" 2>/dev/null || true
[ -s "$tmp/stall_app" ] && grep -q '^phase language' "$tmp/stall_app" || tail -n 5 "$tmp/stall_app.err" >&2
sleep 0.5
[ -n "$ping_pid" ] && stop "$ping_pid"

# ---- Memory after many commands ----
echo "Memory, $commands commands (at most $memory_seconds s) and 1000 ..."
QT_QPA_PLATFORM=offscreen measure "$tmp/memory_app" "$harness" memory "$commands" "$memory_seconds"
QT_QPA_PLATFORM=offscreen measure "$tmp/memory_min" "$harness" memory 1000 "$memory_seconds"

# ---- Splash ----
echo "Splash, $runs runs each ..."
: >"$tmp/splash_app" && : >"$tmp/splash_min"
for _ in $(seq 1 "$runs"); do
  measure "$tmp/splash_one" "$harness" splash
  value splash_ms "$tmp/splash_one" >>"$tmp/splash_app"
  size=$(awk '$1 == "splash_size" { print $2, $3 }' "$tmp/splash_one")
  # shellcheck disable=SC2086 # width and height
  measure "$tmp/splash_one" "$minimal" splash ${size:-600 400}
  value splash_ms "$tmp/splash_one" >>"$tmp/splash_min"
done

# ---- The table ----
lat_row() { # link, tick label
  local f="$tmp/latency_$1" med p tick n missed
  med=$(values sample "$f" | median) p=$(values sample "$f" | p95) tick=$(value tick_ms "$f")
  n=$(values sample "$f" | wc -l) missed=$(value missed "$f")
  echo "| click (input event posted to the window) until the command's first bytes at the device, $1, median of $n (no bytes within 5 s: $(count "$missed")) | $(fmt "$med") ms | send tick $(count "$tick") ms | $(ratio "$med" "$tick") |"
  echo "| the same, p95 | $(fmt "$p") ms | send tick $(count "$tick") ms | $(ratio "$p" "$tick") |"
}
readback_rows() { # link, fixed pacing ms, its label
  local f="$tmp/readback_$1" read floor n
  if grep -q '^skip' "$f" 2>/dev/null; then
    echo "| $1 read-back | skipped: $(sed -n 's/^skip //p' "$f") | | |"
    return
  fi
  read=$(values read "$f" | median) floor=$(values floor "$f" | median) n=$(values read "$f" | wc -l)
  echo "| ${1^^} read-back, connect click until window 4 is applied, median of $n | $(fmt "$read") ms | $4 bare query/answer round trips to w4sim, same run $(fmt "$floor") ms | $(ratio "$read" "$floor") |"
  echo "| the same | $(fmt "$read") ms | $3 $2 ms | $(ratio "$read" "$2") |"
}
# Longest answer delay to the pings of window $2 (0 program, 1 baseline) sent
# during phase $1 of the run in file $3.
ping_max() {
  [ -s "$tmp/pings" ] || return 0
  awk -v phase="$1" -v win="$2" 'FNR == NR { if ($1 == "phase" && $2 == phase) { from = $3; to = $4 } next }
    $1 == win && $2 >= from && $2 <= to && $3 > worst { worst = $3 }
    END { if (from != "") printf "%.3f", worst + 0 }' "$3" "$tmp/pings"
}
stall_row() { # phase, what the program does, what the baseline does
  local a b
  if [ -x "$pinger" ]; then
    a=$(ping_max "$1" 0 "$tmp/stall_app") b=$(ping_max "$1" 1 "$tmp/stall_min")
    echo "| longest answer to _NET_WM_PING (sent through the X server every 10 ms) during $2; difference $(diff_ms "$a" "$b") ms | $(fmt "$a") ms | $3 $(fmt "$b") ms | $(ratio "$a" "$b") |"
  else
    echo "| _NET_WM_PING during $2 | not measured: bench_ping needs libx11-dev | | |"
  fi
  a=$(value "stall_$1_ms" "$tmp/stall_app") b=$(value "stall_$1_ms" "$tmp/stall_min")
  echo "| the same, longest lateness of a 10 ms timer on the GUI thread (in-process); difference $(diff_ms "$a" "$b") ms | $(fmt "$a") ms | $3 $(fmt "$b") ms | $(ratio "$a" "$b") |"
}
diff_ms() { awk -v a="$1" -v b="$2" 'BEGIN { if (a != "" && b != "") printf "%.1f", a - b; else print "n/a" }'; }
growth() { awk -v a="$(value rss_before_kb "$1")" -v b="$(value rss_after_kb "$1")" 'BEGIN { if (a != "" && b != "") printf "%.1f", (b - a) / 1024 }'; }
grow_app=$(growth "$tmp/memory_app") grow_min=$(growth "$tmp/memory_min")
sent_app=$(value commands "$tmp/memory_app") sent_min=$(value commands "$tmp/memory_min")
splash_app=$(median <"$tmp/splash_app") splash_min=$(median <"$tmp/splash_min")
load_after=$(cut -d ' ' -f 1-3 /proc/loadavg)

cat <<EOF

$(date -u '+%Y-%m-%d %H:%M UTC'); medians of $runs start-ups, read-backs and splash runs, $clicks clicks per link; Xvfb.

| measure | w4control | baseline | ratio |
|---|---|---|---|
| start until the main window is fully shown | $start_app ms | baseline window $start_min ms | $(ratio "$start_app" "$start_min") |
| start until the main window is fully shown | $start_app ms | fade-in 1000 ms | $(ratio "$start_app" 1000) |
| idle CPU over $idle_seconds s, ms of CPU per second | $cpu_app ms/s | baseline window $cpu_min ms/s | $(ratio "$cpu_app" "$cpu_min") |
| idle wake-ups over $idle_seconds s (context switches, all threads), per second | $wake_app /s | baseline window $wake_min /s | $(ratio "$wake_app" "$wake_min") |
| resident memory after start | $((rss_app / 1024)) MiB | baseline window $((rss_min / 1024)) MiB | $(ratio "$rss_app" "$rss_min") |
$(lat_row serial)
$(lat_row tcp)
$(readback_rows tcp 3000 "old fixed pacing 5 × 600 ms =" 5)
$(readback_rows udp 5900 "old fixed pauses 300 + 12 × 300 + 4 × 500 ms =" 13)
$(stall_row readback "a TCP read-back (click until its result box is closed)" "baseline window idle alongside")
$(stall_row drag "a drag of window 1 across the wall (60 moves, 16 ms apart)" "baseline window dragging a rectangle alongside")
$(stall_row language "a switch to English and back" "baseline window through a language change event")
| resident memory growth after $(count "$sent_app") commands offline through the send path and the communication log (sent in $(count "$(value send_ms "$tmp/memory_app")") ms) | $(fmt "$grow_app") MiB | same harness after $(count "$sent_min") commands $(fmt "$grow_min") MiB | $(ratio "$grow_app" "$grow_min") |
| splash screen, 5000 repaints of the progress bar | $(fmt "$splash_app") ms | plain widget with a progress bar, 5000 repaints $(fmt "$splash_min") ms | $(ratio "$splash_app" "$splash_min") |

Machine: $(nproc) CPU(s); load average (1, 5, 15 min) $load_before before, $load_after after; $(($(date +%s) - started_at)) s of measuring.
EOF
