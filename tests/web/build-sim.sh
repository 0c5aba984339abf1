#!/bin/sh
# Builds koikoi-sim of the dev preset for the trace comparison, when that
# build is missing or out of date.
set -eu
cd "$(dirname "$0")/../.."
[ -f build/dev/CMakeCache.txt ] || cmake --preset dev >/dev/null
cmake --build --preset dev --target koikoi-sim
