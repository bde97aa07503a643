#!/usr/bin/env bash
# Builds the libFuzzer targets and runs each one for the given number of seconds.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-30}
bash "$root/scripts/build.sh" --fuzz
for f in "$root"/build-fuzz/fuzz/*; do
  [ -x "$f" ] || continue
  name=$(basename "$f")
  corpus=$root/build-fuzz/corpus/$name
  mkdir -p "$corpus"
  echo "fuzz: $name for ${seconds}s"
  "$f" -max_total_time="$seconds" -max_len=65536 -timeout=5 "$corpus"
done
