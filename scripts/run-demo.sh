#!/usr/bin/env bash
# Sets up what is missing, builds, and runs the program. Until the main window exists this shows
# what the program reads from its shipped product data.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh dev
exec build/dev/bin/corvanectl catalogue
