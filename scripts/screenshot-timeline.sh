#!/usr/bin/env bash
# Takes the README's picture of the timeline: the follow example with a render range set (I and
# O on the timeline), the playhead dragged into the middle of the animation.
# Usage: scripts/screenshot-timeline.sh PROGRAM OUT.png
# Needs the Debian packages xvfb, xdotool, x11-utils and imagemagick.
set -euo pipefail
if [ "${1:-}" != --inside ]; then
    [ $# -eq 2 ] || { echo "usage: $0 PROGRAM OUT.png" >&2; exit 2; }
    exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" --inside "$(realpath "$1")" "$(realpath -m "$2")"
fi
program=$2 out=$3
"$program" "$(cd "$(dirname "$0")/../examples/harbour" && pwd)/follow.wsr" &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
sleep 4
eval "$(xdotool getwindowgeometry --shell "$(xdotool search --name 'follow.wsr' | head -1)")"
main="${WIDTH}x${HEIGHT}+${X}+${Y}"
ruler=$((Y + HEIGHT - 112)) # the ruler, in the dock at the bottom
at() { echo $((X + WIDTH * $1 / 100)) "$ruler"; }
xdotool mousemove $(at 20) click 1 sleep 0.3 key i sleep 0.3
xdotool mousemove $(at 80) click 1 sleep 0.3 key o sleep 0.3
xdotool mousemove $(at 45) mousedown 1 sleep 0.2 mousemove $(at 50) sleep 0.2 mousemove $(at 55) sleep 1
import -window root -crop "$main" +repage "$out"
xdotool mouseup 1
echo "$out: main window $main, the timeline scrubbed"
