#!/bin/sh
# Renders the editor's main window with two documents, its menus and the
# Program Settings dialog to PNG files under Xvfb, for a look by eye.
# Usage: editor/tools/screenshots.sh [BUILD_FOLDER]   (default: build)
# Writes BUILD_FOLDER/screenshots/*.png. Needs xvfb-run (package xvfb).
set -eu
build=${1:-build}
tool="$build/editor/vekedit_screenshots"
if [ ! -x "$tool" ]; then
    echo "screenshots.sh: $tool not built (cmake --build $build --target vekedit_screenshots)" >&2
    exit 1
fi
out="$build/screenshots"
mkdir -p "$out"
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x800x24" "$tool" "$out"
if command -v pdftoppm >/dev/null; then
    pdftoppm -png -r 60 -f 1 -l 1 "$out/print.pdf" "$out/print"
fi
echo "screenshots written to $out"
