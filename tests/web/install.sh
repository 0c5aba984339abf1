#!/bin/sh
# Installs the test's npm packages from the committed lock file (npm ci),
# unless node_modules already holds exactly that lock's install. No browser
# is downloaded: puppeteer-core drives the machine's Chromium.
set -eu
cd "$(dirname "$0")"
if [ -f node_modules/.package-lock.json ] && [ node_modules/.package-lock.json -nt package-lock.json ] &&
    [ -d node_modules/puppeteer-core ]; then
    echo "npm packages up to date"
    exit 0
fi
npm ci --no-audit --no-fund
