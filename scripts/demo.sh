#!/usr/bin/env bash
# Installs, builds, starts the reference service and the client against it.
# Without a display the client runs under Xvfb and a screenshot is saved.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/install-deps.sh"
bash "$root/scripts/build.sh" "$root/build"
bin=$root/build/bin
state=${CLOUD_DEMO_DIR:-$root/build/demo}
mkdir -p "$state"
cp -f "$bin/cloudclient" "$state/cloudclient"

"$bin/refservice" --listen 127.0.0.1:8360 --db "$state/refservice.db" >"$state/refservice.log" 2>&1 &
service=$!
trap 'kill $service 2>/dev/null || true' EXIT
for _ in $(seq 50); do
  (exec 3<>/dev/tcp/127.0.0.1/8360) 2>/dev/null && break
  sleep 0.1
done
echo "demo: reference service on http://127.0.0.1:8360 (log: $state/refservice.log)"
echo "demo: accounts 13800000000 / demo1234 (verified) and 13900000000 / demo1234 (not verified)"
# The client signs in with the demo account by key (no captcha to read); set
# CLOUD_DEMO_SIGN_IN=0 to sign in by hand instead.
demo_sign_in=(--demo-sign-in 13800000000 demo1234)
[ "${CLOUD_DEMO_SIGN_IN:-1}" = 0 ] && demo_sign_in=()

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  "$state/cloudclient" "${demo_sign_in[@]}" "$@"
else
  shot=$root/build/demo-screenshot.png
  echo "demo: no display; running under Xvfb"
  xvfb-run -a -s "-screen 0 1280x800x24" "$state/cloudclient" --demo-screenshot "$shot" \
    "${demo_sign_in[@]}" "$@"
  echo "demo: screenshot saved to $shot"
fi
