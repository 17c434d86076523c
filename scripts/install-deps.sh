#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only those that are missing.
# Usage: install-deps.sh [build|test]
set -euo pipefail
want=(cmake g++ make pkg-config qt6-base-dev qt6-base-dev-tools qt6-l10n-tools qt6-svg-dev libgl-dev fonts-dejavu-core
      libavcodec-dev libavformat-dev libswscale-dev libavutil-dev libspng-dev libdeflate-dev zlib1g-dev
      libgeotiff-dev libtiff-dev libproj-dev proj-data libgeographiclib-dev
      libsqlite3-dev qt6-image-formats-plugins xplanet-images qt6-translations-l10n)
# qt6-image-formats-plugins reads WebP tiles; xplanet-images holds the built-in world map;
# qt6-translations-l10n translates Qt's own buttons and dialogs.
if [ "${1:-build}" = test ]; then
    # Second BMP readers check the frame files the renderer writes.
    want+=(python3-pil imagemagick)
    # ffprobe and ffmpeg check the video files: codec, rate, frame count, colours.
    want+=(ffmpeg)
    # The installed desktop files are checked.
    want+=(desktop-file-utils shared-mime-info xdg-utils libglib2.0-bin)
    # Other track formats are read through gpsbabel; gpxpy is the peer of the track benchmark.
    want+=(gpsbabel python3-gpxpy)
fi
missing=()
for p in "${want[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
