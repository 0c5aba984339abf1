#!/bin/bash
# Builds the Windows program and starts it under Wine on this desktop.
#
#   bash tools/play.sh
#
# Installs what is missing with apt-get (as root, or through sudo), builds the
# mingw preset, prepares a Wine prefix of its own and runs koikoi.exe in a
# folder that keeps the data files and your record file between runs
# (${XDG_DATA_HOME:-~/.local/share}/koikoi/game).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/tools/deps.sh"
koikoi_install cmake make g++-mingw-w64-x86-64 wine wine64 fonts-ipafont-mincho \
    fonts-ipafont-gothic locales

cd "$root"
cmake --preset mingw >/dev/null
cmake --build --preset mingw --target koikoi
exe_dir=$root/build/mingw/shell/windows

. "$root/tools/wine-env.sh"
koikoi_wine_env play
koikoi_wine_prepare

# The program reads its data from the working folder and writes result.dat
# there, so it runs in a folder of its own where the record outlives rebuilds.
game_dir=${XDG_DATA_HOME:-$HOME/.local/share}/koikoi/game
mkdir -p "$game_dir"
cp "$exe_dir/koikoi.exe" "$exe_dir/allocation.dat" "$exe_dir/hanaX.bmp" "$exe_dir/koikoi.html" \
    "$game_dir/"
[ -e "$game_dir/result.dat" ] || cp "$exe_dir/result.dat" "$game_dir/"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "play: built $exe_dir/koikoi.exe, but there is no desktop display to show it on" >&2
    echo "play: run this from a graphical session (DISPLAY is not set)" >&2
    exit 1
fi
echo "play: starting koikoi.exe in $game_dir"
cd "$game_dir"
exec wine koikoi.exe
