#!/bin/bash
# Builds the browser edition and serves it on this machine, for any browser.
#
#   bash tools/play-web.sh [PORT]
#
# Installs what is missing with apt-get (as root, or through sudo), builds the
# web preset into build/web/site and serves that folder on 127.0.0.1 (port
# 8000 unless given) until Ctrl+C. The page keeps your record in the
# browser, so it outlives rebuilds and restarts of the server.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/tools/deps.sh"
# shellcheck disable=SC2086
koikoi_install cmake make python3 $koikoi_packages_web

cd "$root"
cmake --preset web >/dev/null
cmake --build --preset web
port=${1:-8000}
echo "play-web: the game is at http://127.0.0.1:$port/ (Ctrl+C stops the server)"
exec python3 -m http.server "$port" --bind 127.0.0.1 --directory "$root/build/web/site"
