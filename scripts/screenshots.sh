#!/usr/bin/env bash
# Takes the screenshots in docs/ the way a user sees the program: on a
# virtual 1280 x 1024 display framed by the openbox window manager, driven
# with xdotool. Needs a build (make build) and the packages of install-deps.
set -euo pipefail
build=$(realpath "${1:-build}")
docs=$(realpath "$(dirname "$0")/../docs")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

if [ -z "${SCREENSHOTS_INNER:-}" ]; then
  export SCREENSHOTS_INNER=1
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

export HOME=$work LANG=C.UTF-8
openbox >/dev/null 2>&1 &
sleep 1
render=$build/bin/velquor-render
velquor=$build/bin/velquor

shot() { sleep "${2:-1}"; import -window root "$docs/$1"; echo "wrote docs/$1"; }
window() { xdotool search --sync --onlyvisible --name "^$1\$" | head -1; }
quit() { xdotool key --window "$1" ctrl+q 2>/dev/null || true; kill "$2" 2>/dev/null || true; wait "$2" 2>/dev/null || true; }

# An error raised from the formula dialog opens above it.
"$velquor" & pid=$!
main=$(window Velquor)
sleep 1
xdotool windowactivate --sync "$main" key ctrl+f
dialog=$(window 数式設定)
xdotool windowactivate --sync "$dialog" key Tab ctrl+a type "0.5.5"
xdotool key Return
shot error-over-dialog.png 1.5
kill $pid; wait $pid 2>/dev/null || true

# A large drawing shows how far it is and how long it runs.
"$render" --point-move 2 --params 0.25,0,0,0 --formula 5 --size 9999x9999 \
  --palette "$build/bin/mcf/虹.mcf" --save-document "$work/swirl.vqp" >/dev/null
"$velquor" "$work/swirl.vqp" & pid=$!
main=$(window Velquor)
shot progress.png 3
kill $pid; wait $pid 2>/dev/null || true

# A picture larger than the screen scrolls inside it.
"$render" --formula 6 --size 9999x9999 --increment 0.37,0.37 --palette "$build/bin/mcf/海.mcf" \
  --save-document "$work/waves.vqp" >/dev/null
"$velquor" "$work/waves.vqp" & pid=$!
main=$(window Velquor)
sleep 12
eval "$(xdotool getwindowgeometry --shell "$main")"
xdotool windowactivate --sync "$main" mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2))
sleep 0.5
xdotool click --repeat 40 --delay 30 5 click --repeat 30 --delay 30 7
shot scrolled-9999.png 1
kill $pid; wait $pid 2>/dev/null || true
