#!/usr/bin/env bash
# Configures and builds one tree. Usage: build.sh [--sanitize|--fuzz] [build-dir]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
mode=normal
case "${1:-}" in --sanitize|--fuzz) mode=${1#--}; shift ;; esac
case $mode in
  normal)   dir=${1:-$root/build};      flags=() ;;
  sanitize) dir=${1:-$root/build-asan}; flags=(-DCLOUD_SANITIZE=ON -DCLOUD_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug) ;;
  fuzz)     dir=${1:-$root/build-fuzz}; flags=(-DCLOUD_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++) ;;
esac
cmake -S "$root" -B "$dir" -G Ninja "${flags[@]}" >/dev/null
cmake --build "$dir" -j "$(nproc)"
