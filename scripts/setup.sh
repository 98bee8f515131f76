#!/usr/bin/env bash
# Sets up a Debian 12 machine for Vek and builds it in build/.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

bash "$root/scripts/install-packages.sh"
# VEK_CMAKE_ARGS adds configure options, e.g. -DVEK_WERROR=ON as CI builds.
# shellcheck disable=SC2086
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo ${VEK_CMAKE_ARGS:-} >/dev/null
cmake --build "$root/build" -j"$(nproc)"
