#!/usr/bin/env bash
# Sets up what is missing, then builds and runs the whole test suite: the optimised build with
# warnings as errors, the AddressSanitizer + UBSan build, and the ThreadSanitizer build of the
# tests that start threads.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ $# -eq 0 ]; then set -- ci asan tsan; fi
for preset in "$@"; do
  echo "== $preset: build"
  if [ "$preset" = tsan ]; then
    SETUP_NO_BUILD=1 bash scripts/setup.sh
    cmake --preset tsan >/dev/null
    cmake --build --preset tsan --target thread_tests
  else
    bash scripts/setup.sh "$preset"
  fi
  echo "== $preset: test"
  ctest --preset "$preset"
done
