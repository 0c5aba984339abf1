#!/bin/sh
# Sets up the Wine environment the Windows program runs in here: a Japanese
# locale, a 64-bit prefix with font replacements and an .html association, and
# (for tests) a virtual X display. Source it, then call the functions:
#
#   . tools/wine-env.sh
#   koikoi_wine_env test            # or: play
#   koikoi_wine_prepare             # creates the prefix once; reused afterwards
#   koikoi_xvfb_start               # tests only: starts Xvfb and sets DISPLAY
#   ...
#   koikoi_xvfb_stop
#
# Run directly (`tools/wine-env.sh test`), it prepares the prefix and prints
# the variables to export.
#
# KOIKOI_WINE_FONTS=english-mincho gives a prefix in which only the English
# name "MS Mincho" has a Mincho font (for the test of the face fallback);
# give such a prefix its own KOIKOI_WINE_ROOT.

# Bump when the prefix set-up below changes, so old prefixes are rebuilt.
KOIKOI_WINE_SETUP_VERSION=4

koikoi_log() { printf '%s\n' "wine-env: $*" >&2; }

# Wine decodes every ANSI text with the code page of the Unix locale; without
# a Japanese locale it silently falls back to code page 1252.
koikoi_ensure_locale() {
    if locale -a 2>/dev/null | grep -qix 'ja_JP.utf8'; then
        return 0
    fi
    if [ "$(id -u)" = 0 ]; then
        localedef -i ja_JP -f UTF-8 ja_JP.UTF-8 || return 1
    elif command -v sudo >/dev/null 2>&1; then
        sudo localedef -i ja_JP -f UTF-8 ja_JP.UTF-8 || return 1
    else
        koikoi_log "the ja_JP.UTF-8 locale is missing; run: localedef -i ja_JP -f UTF-8 ja_JP.UTF-8"
        return 1
    fi
}

# koikoi_wine_env test|play: exports the variables. The test prefix lives in a
# temporary folder with its own HOME; the play prefix beside the user's data.
koikoi_wine_env() {
    KOIKOI_WINE_MODE=${1:-test}
    if [ "$KOIKOI_WINE_MODE" = test ]; then
        KOIKOI_WINE_ROOT=${KOIKOI_WINE_ROOT:-${TMPDIR:-/tmp}/koikoi-wine-test-$(id -u)}
        HOME=$KOIKOI_WINE_ROOT/home
        export HOME
    else
        KOIKOI_WINE_ROOT=${KOIKOI_WINE_ROOT:-${XDG_DATA_HOME:-$HOME/.local/share}/koikoi/wine}
    fi
    WINEPREFIX=$KOIKOI_WINE_ROOT/prefix
    WINEARCH=win64
    WINEDEBUG=-all
    # No .NET or browser engine downloads, no desktop menu entries.
    WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
    LANG=ja_JP.UTF-8
    LC_ALL=ja_JP.UTF-8
    export KOIKOI_WINE_MODE KOIKOI_WINE_ROOT WINEPREFIX WINEARCH WINEDEBUG WINEDLLOVERRIDES LANG LC_ALL
    mkdir -p "$KOIKOI_WINE_ROOT/home"
}

# The registry settings, as a regedit file. regedit reads UTF-16 files, which
# keeps the Japanese font names intact whatever the shell's encoding.
koikoi_write_reg() {
    browser='C:\\windows\\system32\\winebrowser.exe'
    managed=Y
    if [ "$KOIKOI_WINE_MODE" = test ]; then
        # Tests record what the program hands to the shell instead of opening it.
        browser='C:\\koikoi-test\\browser.exe'
        # Without a window manager a managed window stalls 2 s whenever one closes.
        managed=N
    fi
    mincho='"MS 明朝"="IPAMincho"
"ＭＳ 明朝"="IPAMincho"
"MS Mincho"="IPAMincho"'
    if [ "${KOIKOI_WINE_FONTS:-}" = english-mincho ]; then
        mincho='"MS Mincho"="IPAMincho"'
    fi
    cat <<REG
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]
$mincho
"MS UI Gothic"="IPAGothic"
"MS Gothic"="IPAGothic"
"ＭＳ ゴシック"="IPAGothic"

[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]
"Managed"="$managed"

[HKEY_CLASSES_ROOT\\.html]
@="htmlfile"

[HKEY_CLASSES_ROOT\\htmlfile\\shell\\open\\command]
@="\\"$browser\\" \\"%1\\""
REG
}

# Creates the prefix once; a prefix marked with the current set-up version is reused.
koikoi_wine_prepare() {
    koikoi_ensure_locale || return 1
    marker=$WINEPREFIX/.koikoi-setup
    setup=$KOIKOI_WINE_SETUP_VERSION-$KOIKOI_WINE_MODE${KOIKOI_WINE_FONTS:+-$KOIKOI_WINE_FONTS}
    if [ -f "$marker" ] && [ "$(cat "$marker")" = "$setup" ]; then
        return 0
    fi
    koikoi_log "preparing the Wine prefix $WINEPREFIX"
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || { koikoi_log "wineboot failed"; return 1; }
    reg=$KOIKOI_WINE_ROOT/koikoi.reg
    koikoi_write_reg | iconv -f UTF-8 -t UTF-16 > "$reg"
    wine regedit /S "$(winepath -w "$reg" 2>/dev/null)" >/dev/null 2>&1 || { koikoi_log "regedit failed"; return 1; }
    mkdir -p "$WINEPREFIX/drive_c/koikoi-test"
    # The registry reaches the disk when the server ends.
    wineserver -w
    printf '%s\n' "$setup" > "$marker"
}

# Starts a virtual display for the tests (1280 x 1024, so the board fits
# unscaled; KOIKOI_XVFB_SCREEN=WxHxD chooses another) and waits until it answers.
koikoi_xvfb_start() {
    n=${KOIKOI_DISPLAY_NUMBER:-}
    if [ -z "$n" ]; then
        n=90
        while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
    fi
    Xvfb ":$n" -screen 0 "${KOIKOI_XVFB_SCREEN:-1280x1024x24}" -nolisten tcp >/dev/null 2>&1 &
    KOIKOI_XVFB_PID=$!
    DISPLAY=":$n"
    export DISPLAY KOIKOI_XVFB_PID
    tries=0
    until xdotool getdisplaygeometry >/dev/null 2>&1; do
        tries=$((tries + 1))
        if [ $tries -gt 100 ] || ! kill -0 "$KOIKOI_XVFB_PID" 2>/dev/null; then
            koikoi_log "Xvfb did not start on :$n"
            return 1
        fi
        sleep 0.1
    done
}

koikoi_xvfb_stop() {
    if [ -n "${KOIKOI_XVFB_PID:-}" ]; then
        kill "$KOIKOI_XVFB_PID" 2>/dev/null
        wait "$KOIKOI_XVFB_PID" 2>/dev/null
        KOIKOI_XVFB_PID=
    fi
}

# Run directly: prepare and show the variables.
case "$0" in
    *wine-env.sh)
        set -eu
        koikoi_wine_env "${1:-test}"
        koikoi_wine_prepare
        for v in WINEPREFIX WINEARCH WINEDEBUG WINEDLLOVERRIDES LANG LC_ALL HOME; do
            eval "printf 'export %s=%s\n' \"\$v\" \"'\$$v'\""
        done
        ;;
esac
