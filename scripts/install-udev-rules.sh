#!/usr/bin/env bash
# Gives the logged-in user access to the Corvane keyboards by installing data/udev/70-corvane.rules
# into /etc/udev/rules.d, then makes udev apply it to keyboards already plugged in.
# Usage: scripts/install-udev-rules.sh [--remove]
# Never run by the setup or test scripts: it changes the system, so only on request.
set -euo pipefail
cd "$(dirname "$0")/.."

rules="data/udev/70-corvane.rules"
target="/etc/udev/rules.d/70-corvane.rules"

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi

case "${1:-}" in
  "")
    $sudo install -m 0644 "$rules" "$target"
    echo "install-udev-rules: installed $target"
    ;;
  --remove)
    if [ -e "$target" ]; then
      $sudo rm -f "$target"
      echo "install-udev-rules: removed $target"
    else
      echo "install-udev-rules: $target is not installed"
      exit 0
    fi
    ;;
  *)
    echo "usage: $0 [--remove]" >&2
    exit 2
    ;;
esac

if command -v udevadm >/dev/null 2>&1; then
  $sudo udevadm control --reload-rules
  # "change" re-runs the rules on present nodes without telling programs they were unplugged.
  $sudo udevadm trigger --action=change --subsystem-match=hidraw
else
  echo "install-udev-rules: udevadm not found; the rules apply from the next boot or plug-in" >&2
fi
