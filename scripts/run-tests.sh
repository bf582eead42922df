#!/usr/bin/env bash
# Sets up what is missing, then builds and runs the whole test suite: the optimised build with
# warnings as errors, then the AddressSanitizer + UBSan build.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ $# -eq 0 ]; then set -- ci asan; fi
for preset in "$@"; do
  echo "== $preset: build"
  bash scripts/setup.sh "$preset"
  echo "== $preset: test"
  ctest --preset "$preset"
done
