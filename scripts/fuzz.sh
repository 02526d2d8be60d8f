#!/usr/bin/env bash
# Builds the libFuzzer programs of tests/fuzz with clang (in build-fuzz/) and
# runs each from its seed corpus for a while. Not a test: it stops at the first
# finding, which libFuzzer leaves as crash-*/leak-*/timeout-* in build-fuzz/findings/.
#   scripts/fuzz.sh                 every fuzzer, 30 s each
#   scripts/fuzz.sh 120             every fuzzer, 120 s each
#   scripts/fuzz.sh 30 tcpsplit     only fuzz_tcpsplit
# New inputs that reach new code go to build-fuzz/corpus/<what>/, never into
# the seed corpus in the tree. W4_FUZZ_JOBS fuzzers run at once (2 by default).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-30}
shift || true
dir="$root/build-fuzz"

"$root/scripts/install-deps.sh"
# clang with its libFuzzer and sanitizer run-times (Debian 12 keeps them in
# libclang-rt-14-dev, which clang does not pull in by itself).
need=()
command -v clang++ >/dev/null || need+=(clang)
ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1 || need+=(libclang-rt-14-dev)
if [ ${#need[@]} -gt 0 ]; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages: ${need[*]}; run as root: apt-get install ${need[*]}" >&2
    exit 1
  fi
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${need[@]}"
fi

cmake -S "$root" -B "$dir" -DW4_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
if [ $# -gt 0 ]; then
  whats=("$@")
else
  whats=()
  for c in "$root"/tests/fuzz/fuzz_*.cpp; do
    w=$(basename "$c" .cpp)
    whats+=("${w#fuzz_}")
  done
fi
targets=()
for w in "${whats[@]}"; do targets+=("fuzz_$w"); done
nice -n 10 cmake --build "$dir" -j2 --target "${targets[@]}" >/dev/null

export LSAN_OPTIONS="suppressions=$root/tests/fuzz/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
mkdir -p "$dir/findings"
status=0
# Two at a time, one a core; the table keeps the fuzzers' order.
jobs=${W4_FUZZ_JOBS:-2}
run_one() {
  local w=$1 log="$dir/findings/$1.log" asan=""
  mkdir -p "$dir/corpus/$w"
  # Full allocation stacks where Qt's JSON parser is reached: the leak it
  # leaves is suppressed by the name of its caller (tests/fuzz/lsan.supp).
  [ "$w" = simstate ] && asan="fast_unwind_on_malloc=0"
  if ASAN_OPTIONS="$asan" "$dir/tests/fuzz/fuzz_$w" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
       -artifact_prefix="$dir/findings/$w-" -print_final_stats=1 \
       "$dir/corpus/$w" "$root/tests/fuzz/corpus/$w" >"$log" 2>&1; then
    echo ok >"$dir/findings/$w.result"
  else
    echo "FINDING (see $log)" >"$dir/findings/$w.result"
  fi
}
rm -f "$dir"/findings/*.result
running=0
for w in "${whats[@]}"; do
  run_one "$w" &
  running=$((running + 1))
  if [ "$running" -ge "$jobs" ]; then
    wait -n || true
    running=$((running - 1))
  fi
done
wait
printf '%-16s %10s %8s %s\n' fuzzer runs seconds result
for w in "${whats[@]}"; do
  log="$dir/findings/$w.log"
  result=$(cat "$dir/findings/$w.result" 2>/dev/null || echo "no result")
  [ "$result" = ok ] || status=1
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  took=$(sed -n 's/.*Done \([0-9]*\) runs in \([0-9]*\) second.*/\2/p' "$log" | tail -n 1)
  printf '%-16s %10s %8s %s\n' "fuzz_$w" "${runs:-?}" "${took:-$seconds}" "$result"
done
exit $status
