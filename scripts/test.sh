#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless.
#   scripts/test.sh              Qt 5 build in build/
#   scripts/test.sh --qt6        Qt 6 build in build-qt6/
#   scripts/test.sh --sanitize   ASan + UBSan build (Qt 5) in build-sanitize/
# W4_CTEST_EXCLUDE=REGEX leaves out the tests whose names match (CI runs the
# end-to-end test with Qt 5 only).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

dir=$("$root/scripts/build.sh" "$@" | tail -n 1)

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:abort_on_error=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0"

cd "$dir"
exclude=()
[ -n "${W4_CTEST_EXCLUDE:-}" ] && exclude=(-E "$W4_CTEST_EXCLUDE")
ctest --output-on-failure -j2 --timeout 300 "${exclude[@]}"
