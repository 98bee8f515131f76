#!/usr/bin/env bash
# Sets up and builds Vek (scripts/setup.sh), then runs every test.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

bash "$root/scripts/setup.sh"
ctest --test-dir "$root/build" --output-on-failure --no-tests=error -j"$(nproc)"
