#!/usr/bin/env bash
# Installs the Debian 12 packages that building, testing and fuzzing Vek
# need. Quiet and idempotent: apt-get runs only when something is missing.
set -euo pipefail

packages=(
    cmake ninja-build g++ clang libclang-rt-14-dev          # build, fuzzing
    libgtest-dev libgmock-dev libbenchmark-dev              # tests, benchmarks
    midicsv drumstick-tools                                 # MIDI file readers for tests
    abcmidi                                                 # the peer bench/compare measures against
    qt6-base-dev xvfb                                       # the editor and its tests
    libx11-dev                                              # the editor's lock-key panes
    libfluidsynth-dev fluidsynth sox                        # playback and audio checks
    poppler-utils                                           # printed pages as images
    pandoc                                                  # the language guide's HTML and the manual pages
    lintian                                                 # the Debian package's checks
)
# Any one General MIDI sound font will do; the first is the smaller.
soundfonts=(timgm6mb-soundfont fluid-soundfont-gm)

sudo=()
[[ $(id -u) -eq 0 ]] || sudo=(sudo)

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'ok installed'; }
installable() {
    local candidate
    candidate=$(apt-cache policy "$1" 2>/dev/null | awk '/Candidate:/ {print $2}')
    [[ -n $candidate && $candidate != "(none)" ]]
}

missing=()
for p in "${packages[@]}"; do installed "$p" || missing+=("$p"); done
have_soundfont=0
for p in "${soundfonts[@]}"; do installed "$p" && have_soundfont=1; done
if [[ ${#missing[@]} -eq 0 && $have_soundfont -eq 1 ]]; then exit 0; fi

export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
wanted=()
for p in "${missing[@]}"; do
    if installable "$p"; then wanted+=("$p"); else echo "install-packages: $p is not available, skipped" >&2; fi
done
if [[ $have_soundfont -eq 0 ]]; then
    for p in "${soundfonts[@]}"; do
        if installable "$p"; then wanted+=("$p"); break; fi
    done
fi
if [[ ${#wanted[@]} -gt 0 ]]; then
    echo "install-packages: installing ${wanted[*]}"
    "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${wanted[@]}" >/dev/null
fi
