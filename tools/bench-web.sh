#!/bin/sh
# Builds the browser edition (web preset) and measures it in headless
# Chromium: load to the guide page (cold and warm), a board repaint (median
# of 500), JS heap plus wasm memory mid-game, and the size of the JS and wasm.
#
#   sh tools/bench-web.sh
#
# Targets: load under 1 s, repaint under 4 ms, memory under 32 MB, JS + wasm
# under 600 KB. Exits non-zero when a figure is over its target.
set -eu
cd "$(dirname "$0")/.."
cmake --preset web >/dev/null
cmake --build --preset web >/dev/null
sh tests/web/install.sh >/dev/null
node tests/web/bench.mjs --site build/web/site "$@"
