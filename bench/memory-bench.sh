#!/usr/bin/env bash
# Signs the demo account in against the reference service and samples the client's
# resident memory while the 30-second refreshes run. Usage: memory-bench.sh [build-dir] [seconds]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
seconds=${2:-600}
work=$(mktemp -d)
pid=
# xvfb-run does not pass the signal on, so the client itself is ended as well.
trap 'kill $pid $client $service 2>/dev/null || true; rm -rf "$work"' EXIT

port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])')
"$build/bin/refservice" --listen "127.0.0.1:$port" --db "$work/service.db" --quiet &
service=$!
python3 "$root/scripts/patch-slot.py" --host "127.0.0.1:$port" "$build/bin/cloudclient" "$work/cloudclient"
chmod +x "$work/cloudclient"
HOME=$work xvfb-run -a -s "-screen 0 1280x800x24" "$work/cloudclient" \
  --demo-sign-in 13800000000 demo1234 >/dev/null 2>&1 &
client=$!
sleep 15
pid=$(pgrep -P "$client" -f cloudclient | head -1 || true)
[ -n "$pid" ] || pid=$(pgrep -f "$work/cloudclient" | tail -1)
rss() { awk '/VmRSS/ {print $2}' "/proc/$pid/status"; }
first=$(rss)
echo "memory-bench: pid $pid, resident after sign-in: ${first} kB"
elapsed=0
while [ "$elapsed" -lt "$seconds" ]; do
  sleep 30
  elapsed=$((elapsed + 30))
  now=$(rss)
  [ "$elapsed" -eq 30 ] && warm=$now
  echo "memory-bench: ${elapsed}s resident $now kB"
done
last=$(rss)
echo "memory-bench: growth over ${seconds}s: $((last - first)) kB"
# The first pass fills caches that every later pass reuses (fonts, glyphs, connections).
echo "memory-bench: growth after the first refresh: $((last - ${warm:-$first})) kB"
