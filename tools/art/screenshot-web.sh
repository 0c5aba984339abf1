#!/bin/sh
# Makes docs/screenshot-web.png, the README's picture of the browser edition:
# builds the site (web preset), plays the start of a game in headless
# Chromium and keeps the page as it stands a few plays in, stored as an 8-bit
# PNG with a reduced palette so it stays small.
# Needs: what tools/deps.sh installs for the browser edition, and imagemagick.
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
cmake --preset web >/dev/null
cmake --build --preset web >/dev/null
sh tests/web/install.sh >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
node tests/web/screenshot.mjs --site build/web/site --out "$work/shot.png"
convert "$work/shot.png" -depth 8 -strip -colors 192 -define png:compression-level=9 "PNG8:$root/docs/screenshot-web.png"
echo "wrote docs/screenshot-web.png ($(stat -c %s docs/screenshot-web.png) bytes)"
