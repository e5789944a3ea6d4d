#!/usr/bin/env bash
# Opens the program from the build tree; without a window build, renders the
# start-up pattern with the command-line renderer instead.
set -euo pipefail
build=${1:-build}
if [ -x "$build/bin/velquor" ]; then
  exec "$build/bin/velquor"
fi
"$build/bin/velquor-render" -o velquor.bmp
echo "The start-up pattern is in $(pwd)/velquor.bmp"
