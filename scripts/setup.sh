#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program need (only those missing),
# then configures and builds one preset. Usage: scripts/setup.sh [PRESET] (default: dev).
set -euo pipefail
cd "$(dirname "$0")/.."

# Keep this the one list of what the project needs from Debian.
PACKAGES=(
  cmake ninja-build g++ ccache pkg-config
  libpugixml-dev libsqlite3-dev libhidapi-dev libudev-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libx11-dev libxext-dev libxrandr-dev libxi-dev libxtst-dev xvfb xauth  # TarnUI's X11 backend; its smoke tests run under Xvfb
  libcairo2-dev libpango1.0-dev libfontconfig-dev fonts-open-sans fonts-noto-cjk  # TarnUI drawing: Cairo, Pango, fonts (Open Sans embedded and for tests, CJK as the product font)
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

preset="${1:-dev}"
if [ "${SETUP_NO_BUILD:-0}" = "1" ]; then exit 0; fi
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset"
