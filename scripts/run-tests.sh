#!/usr/bin/env bash
# Sets up what is missing, then builds and runs the whole test suite: the optimised build with
# warnings as errors, the AddressSanitizer + UBSan build, and the ThreadSanitizer build of the
# tests that start threads.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ $# -eq 0 ]; then set -- ci asan tsan; fi

# The X11 smoke tests (label x11) need a display: without one, a private Xvfb serves the run.
# They run in one preset only (asan, or the first one asked for) to keep the run short.
xvfb_pid=""
stop_xvfb() { if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; fi; }
trap stop_xvfb EXIT
start_xvfb() {
  if [ -n "${DISPLAY:-}" ] || ! command -v Xvfb >/dev/null; then return; fi
  # -displayfd picks a free display and names it once the server is ready.
  local ready
  ready=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$ready" >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do
    sleep 0.1
    if [ -s "$ready" ]; then export DISPLAY=":$(head -n1 "$ready")"; rm -f "$ready"; return; fi
    if ! kill -0 "$xvfb_pid" 2>/dev/null; then break; fi
  done
  rm -f "$ready"
  echo "run-tests: Xvfb did not start; the X11 smoke tests will skip"
  stop_xvfb
  xvfb_pid=""
}
x11_preset="$1"
for p in "$@"; do if [ "$p" = asan ]; then x11_preset=asan; fi; done
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
  if [ "$preset" = "$x11_preset" ]; then
    start_xvfb
    ctest --preset "$preset"
  else
    ctest --preset "$preset" -LE x11
  fi
done
