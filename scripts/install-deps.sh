#!/usr/bin/env bash
# The one list of what the project needs from Debian 12. Idempotent; run as root.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config git
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libcurl4-openssl-dev nlohmann-json3-dev libssl-dev zlib1g-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libsqlite3-dev libcpp-httplib-dev
  clang libclang-rt-14-dev clang-format
  xvfb xauth fonts-noto-cjk imagemagick x11-utils
  freerdp2-x11 xdg-utils
)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: all ${#PACKAGES[@]} packages present"
  exit 0
fi
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
echo "install-deps: installing ${missing[*]}"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
