#!/usr/bin/env bash
# Takes the README's picture of the main window: the program runs under a virtual X server with a
# project loaded, and the screen is cropped to the main window.
# Usage: scripts/screenshot.sh PROGRAM OUT.png [PROJECT.wsr]
# Needs the Debian packages xvfb, x11-utils and imagemagick.
set -euo pipefail
if [ "${1:-}" != --inside ]; then
    [ $# -ge 2 ] || { echo "usage: $0 PROGRAM OUT.png [PROJECT.wsr]" >&2; exit 2; }
    exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" --inside "$@"
fi
shift
program=$1 out=$2
shift 2
"$program" "$@" &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
geometry=""
for _ in $(seq 50); do
    sleep 0.2
    geometry=$(xwininfo -root -tree | sed -n 's/.*"Vantorel[^"]*": ("pathwright".* \([0-9]*x[0-9]*+[0-9]*+[0-9]*\) .*/\1/p' | head -1)
    [ -n "$geometry" ] && break
done
[ -n "$geometry" ] || { echo "$0: the main window did not appear" >&2; exit 1; }
sleep 2  # let the map window and the thumbnail paint
import -window root -crop "$geometry" +repage "$out"
echo "$out: main window $geometry"
