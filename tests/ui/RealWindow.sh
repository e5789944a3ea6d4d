#!/usr/bin/env bash
# The window on a real X display framed by openbox: the window manager
# resizes it and the picture area follows, and closing it after a change
# raises "変更を保存しますか？", where キャンセル keeps the window. Skipped
# (77) where the tools are missing.
# Usage: RealWindow.sh BIN_DIR WORK_DIR
set -euo pipefail
bin=$(realpath "$1")
work=$2

if [ -z "${REAL_WINDOW_INNER:-}" ]; then
  for tool in xvfb-run xdotool xprop openbox; do
    command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
  done
  rm -rf "$work" && mkdir -p "$work"
  export REAL_WINDOW_INNER=1
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

export HOME=$work LANG=C.UTF-8
unset QT_QPA_PLATFORM
openbox >/dev/null 2>&1 & wm=$!
"$(dirname "$0")/../../scripts/wm-ready.sh"
# A palette beside the program, so no message about a missing one waits.
"$bin/velquor-render" --formula 1 --size 320x240 --palette "$bin/mcf/海.mcf" --save-document "$work/small.vqp" >/dev/null
"$bin/velquor" "$work/small.vqp" & pid=$!
trap 'kill $pid $wm 2>/dev/null || true' EXIT
find_window() { timeout 30 xdotool search --sync --onlyvisible --name "$1" | head -1 || true; }
main=$(find_window '^small\.vqp - Velquor$')
[ -n "$main" ] || { echo "FAIL: the window did not show"; exit 1; }
sleep 1

# The window manager resizes the window; it takes the new size.
xdotool windowsize --sync "$main" 900 700 || true
sleep 1
eval "$(xdotool getwindowgeometry --shell "$main")"
if [ "$WIDTH" -ne 900 ] || [ "$HEIGHT" -ne 700 ]; then
  echo "FAIL: asked for 900x700, the window is ${WIDTH}x${HEIGHT}"; exit 1
fi

# A change marks the title; closing then asks, and キャンセル (Esc) keeps it.
xdotool windowactivate --sync "$main" key ctrl+r
changed=$(find_window '^\*small\.vqp - Velquor$')
[ -n "$changed" ] || { echo "FAIL: the title shows no change"; exit 1; }
# The window manager's close (openbox binds Alt+F4 to it), as the title bar's button.
xdotool windowactivate --sync "$main" key alt+F4
question=$(find_window '^Velquor$')
[ -n "$question" ] || { echo "FAIL: closing after a change asked nothing"; exit 1; }
xdotool windowactivate --sync "$question" key Escape
sleep 1
kill -0 $pid 2>/dev/null || { echo "FAIL: the program ended although the question was cancelled"; exit 1; }
[ -n "$(xdotool search --onlyvisible --name '^\*small\.vqp - Velquor$' || true)" ] ||
  { echo "FAIL: the window is gone after キャンセル"; exit 1; }
echo "resized by the window manager, asked on close, kept by キャンセル: ok"
