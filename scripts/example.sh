#!/usr/bin/env bash
# Compiles an example piece to MIDI with `vek`, renders it to audio, and
# opens it in the editor when a display is present. Run scripts/setup.sh
# first.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
piece=${1:-$root/examples/first.vek}

"$root/build/cli/vek" "$piece"
echo "wrote ${piece%.*}.mid"
# Rendering needs a General MIDI soundfont; without one the message says
# which package provides it, and the example goes on.
if "$root/build/cli/vek" --render "${piece%.*}.wav" "$piece"; then
    echo "wrote ${piece%.*}.wav"
fi
if [[ -n ${DISPLAY:-}${WAYLAND_DISPLAY:-} && -x $root/build/editor/vekedit ]]; then
    exec "$root/build/editor/vekedit" "$piece"
fi
