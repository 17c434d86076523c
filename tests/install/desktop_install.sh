#!/bin/sh
# Installs into a temporary prefix and checks what a desktop sees there: a valid menu entry, the
# icons, the translations, .wsr files of the project type by their name and by their first line alone, and a
# program that finds its video library there.
set -eu
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$1" --prefix "$prefix" >/dev/null
desktop-file-validate "$prefix/share/applications/pathwright.desktop"
for n in 16 22 24 32 48 64 128 256; do test -s "$prefix/share/icons/hicolor/${n}x$n/apps/pathwright.png"; done
test -s "$prefix/share/icons/hicolor/scalable/apps/pathwright.svg"
# Where the installed program looks for its translations.
test -s "$prefix/share/pathwright/translations/pathwright_de.qm"
printf '[Vantorel* Pathwright - version 1.1]\r\nformat = n\r\n' >"$prefix/tour.wsr"
cp "$prefix/tour.wsr" "$prefix/no-extension"
for f in tour.wsr no-extension; do
    type=$(XDG_DATA_DIRS="$prefix/share" XDG_CURRENT_DESKTOP=GNOME xdg-mime query filetype "$prefix/$f")
    [ "$type" = application/x-pathwright-project ] || { echo "$f: $type"; exit 1; }
done
# The video writers are loaded from the installed library folder, not from the build.
"$prefix/bin/pathwright" --render "$2/examples/harbour/harbour.wsr" --output "$prefix/video" --output-kind mp4 >/dev/null
test -s "$prefix/video/harbour.mp4"
