#!/bin/sh
# Rebuilds the artwork that Keyvane.rc includes (res/*.ico, res/Egg.bmp,
# res/Link.cur).
# Needs only a host C++ compiler; the results are checked in.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
${CXX:-g++} -std=c++20 -O2 -Wall -Wextra -Werror \
    -Wconversion -Wsign-conversion -Wshadow -Wold-style-cast -Wcast-qual -o "$work/draw_artwork" \
    "$here/draw_artwork.cpp" "$here/canvas.cpp" "$here/image_files.cpp"
"$work/draw_artwork" "$here/.."
