#!/bin/sh
# Rebuilds the irmeter artwork (tool-bar pictures and app2.ico) from
# scripts/drawicons.cpp into irmeter/resources/images.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
out="$here/../irmeter/resources/images"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
c++ -std=c++17 -fPIC -O1 -o "$tmp/drawicons" "$here/drawicons.cpp" \
    $(pkg-config --cflags --libs Qt5Gui)
QT_QPA_PLATFORM=offscreen "$tmp/drawicons" "$out"
echo "artwork written to $out"
