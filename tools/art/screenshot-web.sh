#!/bin/sh
# Makes the README's pictures of the browser edition: docs/screenshot-web.png
# (a desktop window), docs/screenshot-phone.png (a phone held upright) and
# docs/screenshot-english.png (the English edition). Builds the site (web
# preset), plays the start of a game in headless Chromium and keeps the page
# as it stands a few plays in, stored as an 8-bit PNG with a reduced palette
# so it stays small.
# Needs: what tools/deps.sh installs for the browser edition, and imagemagick.
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
cmake --preset web >/dev/null
cmake --build --preset web >/dev/null
sh tests/web/install.sh >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
shoot() {
    name=$1
    shift
    node tests/web/screenshot.mjs --site build/web/site --out "$work/$name" "$@"
    convert "$work/$name" -depth 8 -strip -colors 192 -define png:compression-level=9 "PNG8:$root/docs/$name"
    echo "wrote docs/$name ($(stat -c %s "docs/$name") bytes)"
}
shoot screenshot-web.png
shoot screenshot-phone.png --width 390 --height 844
shoot screenshot-english.png --lang en
