#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test. Usage: test.sh [--sanitize]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/install-deps.sh"
mode=${1:-}
if [ "$mode" = "--sanitize" ]; then
  dir=$root/build-asan
  bash "$root/scripts/build.sh" --sanitize "$dir"
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  export LSAN_OPTIONS=suppressions=$root/tests/lsan.supp
else
  dir=$root/build
  bash "$root/scripts/build.sh" "$dir"
fi
export QT_QPA_PLATFORM=offscreen
cd "$dir" && ctest --output-on-failure -j "$(nproc)" --timeout 300
