#!/usr/bin/env bash
# Takes the README's picture of the render dialog during an MP4 render of the example project
# (its legs made six times longer, so the render is still running when the picture is taken).
# Usage: scripts/screenshot-render.sh PROGRAM OUT.png
# Needs the Debian packages xvfb, xdotool and imagemagick.
set -euo pipefail
if [ "${1:-}" != --inside ]; then
    [ $# -eq 2 ] || { echo "usage: $0 PROGRAM OUT.png" >&2; exit 2; }
    exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" --inside "$(realpath "$1")" "$(realpath -m "$2")"
fi
program=$2 out=$3
work=/tmp/renders # a plain name: the dialog shows it
mkdir -p "$work"
examples=$(cd "$(dirname "$0")/../examples/harbour" && pwd)
sed -e 's/^interval = 2\r$/interval = 12\r/' -e "s#^imagepath = .*#imagepath = $examples/\r#" \
    -e "s#^renderpath = .*#renderpath = $work/\r#" "$examples/harbour.wsr" >"$work/harbour.wsr"
"$program" "$work/harbour.wsr" &
pid=$!
trap 'kill $pid 2>/dev/null || true; rm -rf "$work"' EXIT
sleep 4
eval "$(xdotool getwindowgeometry --shell "$(xdotool search --name 'harbour.wsr' | head -1)")"
main="${WIDTH}x${HEIGHT}+${X}+${Y}"
xdotool mousemove $((X + WIDTH - 20)) $((Y + HEIGHT - 20)) click 1 sleep 0.5 key ctrl+r sleep 2
eval "$(xdotool getwindowgeometry --shell "$(xdotool search --name 'Pathwright - Render' | tail -1)")"
xdotool mousemove $((X + 100)) $((Y + 162)) click 1 sleep 0.3 key ctrl+a type harbour
xdotool mousemove $((X + 100)) $((Y + 198)) click 1 sleep 0.5 key Down Down Down Return sleep 0.5 # MP4
xdotool mousemove $((X + 60)) $((Y + 272)) click 1 sleep 3 # Render
import -window root -crop "$main" +repage "$out"
echo "$out: main window $main with the render dialog"
