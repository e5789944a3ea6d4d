#!/usr/bin/env bash
# The window on a real X display framed by openbox, driven by a real pointer
# (xdotool): the wheel and a drag change the picture, and Ctrl+Z brings the
# previous picture back exactly. Skipped (77) where the tools are missing.
# Usage: RealPointer.sh BIN_DIR WORK_DIR
set -euo pipefail
bin=$(realpath "$1")
work=$2

if [ -z "${REAL_POINTER_INNER:-}" ]; then
  for tool in xvfb-run xdotool xprop openbox import compare; do
    command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
  done
  rm -rf "$work" && mkdir -p "$work"
  export REAL_POINTER_INNER=1
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

export HOME=$work LANG=C.UTF-8
unset QT_QPA_PLATFORM
openbox >/dev/null 2>&1 & wm=$!
"$(dirname "$0")/../../scripts/wm-ready.sh"
"$bin/velquor-render" --formula 1 --size 640x480 --increment 0.05,0.05 --palette "$bin/mcf/海.mcf" \
  --save-document "$work/sea.vqp" >/dev/null
"$bin/velquor" "$work/sea.vqp" & pid=$!
trap 'kill $pid $wm 2>/dev/null || true' EXIT
# Bounded, so that a window that never shows fails the test with a reason
# instead of running into ctest's time limit.
main=$(timeout 60 xdotool search --sync --onlyvisible --name '^sea\.vqp - Velquor$' | head -1) || true
if [ -z "$main" ]; then
  if kill -0 $pid 2>/dev/null; then echo "FAIL: the window did not show within 60 s"
    # What the screen held, for the log.
    xwininfo -root -children 2>&1 | grep -i velquor || true
  else status=0; wait $pid || status=$?; echo "FAIL: velquor ended with status $status before its window showed"; fi
  exit 1
fi

differ() { [ "$(compare -metric AE "$work/$1.png" "$work/$2.png" null: 2>&1 || true)" != "0" ]; }
# A band through the middle of the picture, away from the bars, once it has
# stopped changing (the drawing has ended).
band() {
  eval "$(xdotool getwindowgeometry --shell "$main")"
  local crop="${WIDTH}x200+0+$((HEIGHT / 2 - 100))"
  sleep 0.5
  import -window "$main" -crop "$crop" +repage "$work/$1.png"
  for _ in $(seq 20); do
    sleep 0.5
    import -window "$main" -crop "$crop" +repage "$work/$1.again.png"
    differ "$1" "$1.again" || return 0
    mv "$work/$1.again.png" "$work/$1.png"
  done
  echo "FAIL: the picture did not settle"
  exit 1
}

sleep 1
band before
eval "$(xdotool getwindowgeometry --shell "$main")"
xdotool mousemove $((X + WIDTH / 2 + 100)) $((Y + HEIGHT / 2 + 40))
xdotool click --repeat 2 --delay 200 4
band wheel
differ before wheel || { echo "FAIL: the wheel left the picture as it was"; exit 1; }

xdotool mousedown 1
for _ in 1 2 3 4 5; do xdotool mousemove_relative -- -20 -8; sleep 0.05; done
xdotool mouseup 1
band drag
differ wheel drag || { echo "FAIL: the drag left the picture as it was"; exit 1; }

xdotool key --window "$main" ctrl+z
band undone
if differ wheel undone; then echo "FAIL: Ctrl+Z did not bring back the picture before the drag"; exit 1; fi
echo "wheel, drag and undo under a real pointer: ok"
