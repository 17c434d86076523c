#!/usr/bin/env bash
# Starts the program, or says in one line why it cannot show a window.
exe=$1; shift
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "pathwright: no display found; run it on a desktop, or under xvfb-run: xvfb-run make run" >&2
    exit 1
fi
args=()
for a in "$@"; do [ -e "$a" ] && args+=("$a"); done
exec "$exe" "${args[@]}"
