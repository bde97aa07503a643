#!/usr/bin/env bash
# Start-up benchmark: how long until the LoginWindow takes input (captcha shown, sign-in
# enabled), measured by the client itself from its process start, against the reference
# service with 100 ms added to every request. Runs the client N times with its start-up
# requests together (the normal start) and N times one after the other (for comparison).
#
# Usage: bench/startup-bench.sh [build-dir] [runs]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
runs=${2:-10}
latency=100

work=$(mktemp -d)
service=
cleanup() {
  if [ -n "$service" ]; then kill "$service" 2>/dev/null || true; wait "$service" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
"$build/bin/refservice" --listen "127.0.0.1:$port" --db "$work/refservice.db" \
  --latency "$latency" --quiet &
service=$!
for _ in $(seq 100); do
  (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null && break
  sleep 0.05
done

# A copy of the client pointed at this service; it writes its files next to itself.
mkdir -p "$work/client" "$work/home"
python3 "$root/scripts/patch-slot.py" --host "127.0.0.1:$port" \
  "$build/bin/cloudclient" "$work/client/cloudclient"

# One X server for all runs, so that its start is not counted.
HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" xvfb-run -a -s "-screen 0 1280x800x24" \
  bash -c '
    client=$1; runs=$2
    for mode in concurrent sequential; do
      flag=; [ "$mode" = sequential ] && flag=--sequential-startup
      for _ in $(seq "$runs"); do
        printf "%s " "$mode"
        "$client" --report-ready $flag 2>/dev/null | grep "^ready-ms" || echo "ready-ms failed"
      done
    done' _ "$work/client/cloudclient" "$runs" >"$work/results"

echo "start-up until the LoginWindow takes input; ${latency} ms per request; $runs runs each"
python3 - "$work/results" "$latency" <<'PY'
import statistics, sys
rows = {}
for line in open(sys.argv[1]):
    mode, _, value = line.split()
    rows.setdefault(mode, []).append(int(value) if value.lstrip("-").isdigit() else None)
latency = int(sys.argv[2])
budget = 2 * latency + 400
for mode in ("concurrent", "sequential"):
    values = [v for v in rows.get(mode, []) if v is not None and v >= 0]
    failed = len(rows.get(mode, [])) - len(values)
    if not values:
        print(f"{mode:>10}: no successful run")
        continue
    print(f"{mode:>10}: median {statistics.median(values):.0f} ms, min {min(values)} ms, "
          f"max {max(values)} ms" + (f", {failed} failed" if failed else ""))
concurrent = [v for v in rows.get("concurrent", []) if v is not None and v >= 0]
if concurrent:
    verdict = "within" if statistics.median(concurrent) <= budget else "OVER"
    print(f"target: {budget} ms (2 x {latency} ms + 400 ms); concurrent median is {verdict} it")
PY
