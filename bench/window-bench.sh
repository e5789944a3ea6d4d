#!/usr/bin/env bash
# Runs bench_window on a virtual 1600 x 1200 display with the openbox window
# manager, as a user's desktop would frame the window.
set -euo pipefail
build=${1:-build}
xvfb-run -a -s "-screen 0 1600x1200x24" bash -c "
  openbox >/dev/null 2>&1 &
  '$(dirname "$0")/../scripts/wm-ready.sh'
  '$build/bin/bench_window'
"
