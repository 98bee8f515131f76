#!/usr/bin/env bash
# Compiles an example piece to MIDI with `vek`, and opens it in the editor
# when a display is present. Run scripts/setup.sh first.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
piece=${1:-$root/examples/first.vek}

"$root/build/cli/vek" "$piece"
echo "wrote ${piece%.*}.mid"
if [[ -n ${DISPLAY:-}${WAYLAND_DISPLAY:-} && -x $root/build/editor/vekedit ]]; then
    exec "$root/build/editor/vekedit" "$piece"
fi
