#!/bin/sh
# Installs the Debian packages the build and the tests need, when missing.
# Sourced by tools/test-all.sh, tools/play.sh and tools/play-web.sh; as root it calls apt-get
# directly, otherwise through sudo.

koikoi_packages_build="cmake make g++ clang libgtest-dev libbenchmark-dev python3"
koikoi_packages_windows="g++-mingw-w64-x86-64 wine wine64 xvfb xdotool imagemagick \
fonts-ipafont-mincho fonts-ipafont-gothic locales librsvg2-bin"
koikoi_packages_pages="chromium"
# The browser edition: Emscripten (it brings Node.js for its optimizer when no node exists).
koikoi_packages_web="emscripten"

# The browser tests run on the machine's Node.js with its own npm; Debian's
# nodejs and npm are installed only where there is no node at all (Debian's
# npm conflicts with a Node.js that brings its own).
koikoi_install_node() {
    command -v node >/dev/null 2>&1 && command -v npm >/dev/null 2>&1 && return 0
    koikoi_install nodejs npm
}

koikoi_install() {
    missing=""
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" ||
            missing="$missing $package"
    done
    [ -z "$missing" ] && return 0
    echo "deps: installing$missing"
    if [ "$(id -u)" = 0 ]; then
        sudo=""
    elif command -v sudo >/dev/null 2>&1; then
        sudo="sudo"
    else
        echo "deps: missing packages:$missing (run as root or install sudo)" >&2
        return 1
    fi
    # shellcheck disable=SC2086
    $sudo apt-get update -qq && DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq $missing
}
