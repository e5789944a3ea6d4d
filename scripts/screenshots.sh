#!/usr/bin/env bash
# Takes the screenshots in docs/ the way a user sees the program: on a
# virtual 1280 x 1024 display framed by the openbox window manager, driven
# with xdotool. Needs a build (make build) and the packages of install-deps.
# Usage: screenshots.sh [BUILD] [SECTION...]; sections: error typed progress
# scrolled explore english browser editor export fitted question status (all when none is named).
set -euo pipefail
build=$(realpath "${1:-build}")
sections=("${@:2}")
docs=$(realpath "$(dirname "$0")/../docs")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

if [ -z "${SCREENSHOTS_INNER:-}" ]; then
  export SCREENSHOTS_INNER=1
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

export HOME=$work LANG=C.UTF-8
openbox >/dev/null 2>&1 &
"$(dirname "$0")/wm-ready.sh"
render=$build/bin/velquor-render
velquor=$build/bin/velquor

shot() { sleep "${2:-1}"; import -window root "$docs/$1"; echo "wrote docs/$1"; }
window() { xdotool search --sync --onlyvisible --name "^$1\$" | head -1; }
want() { [ ${#sections[@]} -eq 0 ] || [[ " ${sections[*]} " == *" $1 "* ]]; }
# The window with its frame, and a part of the screen around it (for menus).
shot_window() { sleep "${3:-1}"; import -frame -window "$2" "$docs/$1"; echo "wrote docs/$1"; }
shot_around() {
  sleep "${3:-1}"
  local info ax ay rx ry w h
  info=$(xwininfo -id "$2")
  ax=$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$info"); ay=$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$info")
  rx=$(sed -n 's/.*Relative upper-left X: *//p' <<<"$info"); ry=$(sed -n 's/.*Relative upper-left Y: *//p' <<<"$info")
  w=$(sed -n 's/.*Width: *//p' <<<"$info"); h=$(sed -n 's/.*Height: *//p' <<<"$info")
  import -window root -crop "$((w + 2 * rx))x$((h + ry + rx))+$((ax - rx))+$((ay - ry))" +repage "$docs/$1"
  echo "wrote docs/$1"
}
quit() { xdotool key --window "$1" ctrl+q 2>/dev/null || true; kill "$2" 2>/dev/null || true; wait "$2" 2>/dev/null || true; }

# Starts the program and opens the formula dialog: sets pid, main and dialog.
open_dialog() {
  "$velquor" & pid=$!
  main=$(window Velquor)
  sleep 1
  xdotool windowactivate --sync "$main" key ctrl+f
  dialog=$(window 数式設定)
}

# An error raised from the formula dialog opens above it.
if want error; then
open_dialog
xdotool windowactivate --sync "$dialog" key Tab ctrl+a type "0.5.5"
xdotool key Return
shot error-over-dialog.png 1.5
kill $pid; wait $pid 2>/dev/null || true
fi

# A formula of the user's own, typed into the dialog's last entry.
if want typed; then
open_dialog
xdotool windowactivate --sync "$dialog" key End Tab type "200*sin(x/9)*cos(y/13) + hypot(x, y)"
xdotool key Return
shot typed-formula.png 2
kill $pid; wait $pid 2>/dev/null || true
fi

# A large drawing shows how far it is and how long it runs.
if want progress; then
"$render" --point-move 2 --params 0.25,0,0,0 --formula 5 --size 9999x9999 \
  --palette "$build/bin/mcf/虹.mcf" --save-document "$work/swirl.vqp" >/dev/null
"$velquor" "$work/swirl.vqp" & pid=$!
main=$(window 'swirl\.vqp - Velquor')
shot progress.png 3
kill $pid; wait $pid 2>/dev/null || true
fi

# A picture larger than the screen scrolls inside it.
if want scrolled; then
"$render" --formula 6 --size 9999x9999 --increment 0.37,0.37 --palette "$build/bin/mcf/海.mcf" \
  --save-document "$work/waves.vqp" >/dev/null
"$velquor" "$work/waves.vqp" & pid=$!
main=$(window 'waves\.vqp - Velquor')
sleep 12
eval "$(xdotool getwindowgeometry --shell "$main")"
xdotool windowactivate --sync "$main" mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2))
sleep 0.5
xdotool click --repeat 40 --delay 30 5 click --repeat 30 --delay 30 7
shot scrolled-9999.png 1
kill $pid; wait $pid 2>/dev/null || true
fi

# Exploring with a real pointer: the wheel zooms about the pointer, a left
# drag pans with the picture following, a right drag spans the rectangle to
# zoom to, and the Edit menu takes the steps back. Each move must change the
# picture.
if want explore; then
"$render" --formula 1 --size 640x480 --increment 0.05,0.05 --palette "$build/bin/mcf/海.mcf" \
  --save-document "$work/sea.vqp" >/dev/null
"$velquor" "$work/sea.vqp" & pid=$!
main=$(window 'sea\.vqp - Velquor')
sleep 2
eval "$(xdotool getwindowgeometry --shell "$main")"
cx=$((X + WIDTH / 2)); cy=$((Y + HEIGHT / 2))
xdotool mousemove $((cx + 120)) $((cy + 40))
sleep 0.5
import -window "$main" "$work/start.png"
changed() {
  import -window "$main" "$work/now.png"
  [ "$(compare -metric AE "$work/$1.png" "$work/now.png" null: 2>&1 || true)" != "0" ] ||
    { echo "screenshots: $2 left the picture as it was" >&2; exit 1; }
  mv "$work/now.png" "$work/$1.png"
}
xdotool click --repeat 3 --delay 300 4
sleep 1.5
changed start "the wheel"
shot_window explore-wheel.png "$main" 0.2
xdotool mousedown 1
for _ in 1 2 3 4 5 6; do xdotool mousemove_relative -- -22 -12; sleep 0.05; done
shot_window explore-drag.png "$main" 0.5
xdotool mouseup 1
sleep 1.5
changed start "the drag"
xdotool mousemove $((cx - 170)) $((cy - 90)) mousedown 3
for _ in 1 2 3 4 5 6; do xdotool mousemove_relative -- 25 14; sleep 0.05; done
shot_window explore-rectangle.png "$main" 0.5
xdotool mouseup 3
sleep 1.5
changed start "the rectangle"
xdotool key --window "$main" alt+e
shot_around edit-menu.png "$main" 0.7
xdotool key Escape
kill $pid; wait $pid 2>/dev/null || true
fi

# The window in English: the language chosen in the settings store, the File
# menu open, then the formula dialog beside the window.
if want english; then
mkdir -p "$HOME/.config/Orvak"
printf '[Settings]\nLanguage=en\n' > "$HOME/.config/Orvak/Velquor.ini"
"$velquor" & pid=$!
main=$(window Velquor)
sleep 1.5
xdotool windowactivate --sync "$main" key alt+f
shot_around english-menu.png "$main" 0.7
xdotool key Escape
xdotool windowactivate --sync "$main" key ctrl+f
window "Formula Settings" > /dev/null
shot english-window.png 1
xdotool windowactivate --sync "$main" key ctrl+e
editor=$(window "Edit Palette")
shot_window english-editor.png "$editor" 1
kill $pid; wait $pid 2>/dev/null || true
rm "$HOME/.config/Orvak/Velquor.ini"
fi

# The palette browser beside the picture: shown from the View menu, then
# the down key steps through the shipped palettes with the picture following.
if want browser; then
"$render" --formula 1 --size 560x420 --increment 0.04,0.04 --palette "$build/bin/mcf/海.mcf" \
  --save-document "$work/browse.vqp" >/dev/null
"$velquor" "$work/browse.vqp" & pid=$!
main=$(window 'browse\.vqp - Velquor')
sleep 2
xdotool windowactivate --sync "$main" key alt+v
sleep 0.5
xdotool key l
sleep 1
xdotool key Down Down
shot_window palette-browser.png "$main" 2
kill $pid; wait $pid 2>/dev/null || true
fi

# The palette editor on the shipped rainbow: its bar with the segment
# boundaries, the lines, the chosen gradient's controls.
if want editor; then
"$render" --formula 1 --size 560x420 --increment 0.04,0.04 --palette "$build/bin/mcf/虹.mcf" \
  --save-document "$work/rainbow.vqp" >/dev/null
"$velquor" "$work/rainbow.vqp" & pid=$!
main=$(window 'rainbow\.vqp - Velquor')
sleep 2
xdotool windowactivate --sync "$main" key ctrl+e
editor=$(window ﾊﾟﾚｯﾄの編集)
sleep 0.5
xdotool windowactivate --sync "$editor" key Down Down
shot_window palette-editor.png "$editor" 1
xdotool key Escape
kill $pid; wait $pid 2>/dev/null || true
fi

# The export dialog with its preview at scale 4 and 2 x 2 anti-aliasing,
# then a large export running beside the window.
if want export; then
"$render" --formula 6 --size 640x480 --increment 0.37,0.37 --palette "$build/bin/mcf/海.mcf" \
  --save-document "$work/waves.vqp" >/dev/null
"$velquor" "$work/waves.vqp" & pid=$!
main=$(window 'waves\.vqp - Velquor')
sleep 2
xdotool windowactivate --sync "$main" key alt+f
sleep 0.5
xdotool key e
dialog=$(window 画像を書き出す)
# Scale first (it sets the size), then anti-aliasing.
xdotool windowactivate --sync "$dialog" key Tab Tab ctrl+a type 4
xdotool key Tab Down
shot_window export-dialog.png "$dialog" 1.5
# A picture of 24000 x 18000 pixels, then the file dialog.
xdotool key shift+Tab shift+Tab shift+Tab ctrl+a type 24000
xdotool key Tab ctrl+a type 18000
xdotool key Return
sleep 1.5
xdotool type "$work/waves-large.png"
xdotool key Return
window 画像を書き出しています >/dev/null
shot export-progress.png 6
quit "$main" $pid
fi

# The largest picture, fitted whole into the window by the view scale.
if want fitted; then
"$render" --formula 6 --size 9999x9999 --increment 0.37,0.37 --palette "$build/bin/mcf/海.mcf" \
  --save-document "$work/waves.vqp" >/dev/null
"$velquor" "$work/waves.vqp" & pid=$!
main=$(window 'waves\.vqp - Velquor')
sleep 1
xdotool windowactivate --sync "$main" key ctrl+0
# Until the drawing has ended: its time shows in the status bar.
sleep 20
shot fitted-9999.png 1
kill $pid; wait $pid 2>/dev/null || true
fi

# Closing after a change asks first.
if want question; then
"$velquor" & pid=$!
main=$(window Velquor)
sleep 1.5
xdotool windowactivate --sync "$main" key ctrl+r
sleep 1
xdotool key --window "$main" alt+F4
question=$(window Velquor)
shot close-question.png 1
xdotool windowactivate --sync "$question" key Escape
kill $pid; wait $pid 2>/dev/null || true
fi

# The status bar at the start-up size: a hint across the whole bar, then
# the pointer's whole readout after a wheel notch and a drag.
if want status; then
"$velquor" & pid=$!
main=$(window Velquor)
sleep 1.5
eval "$(xdotool getwindowgeometry --shell "$main")"
xdotool mousemove $((X + 70)) $((Y + 40))
sleep 0.3
xdotool mousemove $((X + 72)) $((Y + 41))
shot_window status-hint.png "$main" 1
xdotool mousemove $((X + WIDTH / 2 + 60)) $((Y + HEIGHT / 2)) click 4
sleep 1
xdotool mousedown 1 mousemove_relative -- -30 -20 mouseup 1
sleep 1
xdotool mousemove $((X + 60)) $((Y + HEIGHT / 2 + 4))
shot_window status-pointer.png "$main" 1
kill $pid; wait $pid 2>/dev/null || true
fi
