#!/usr/bin/env bash
# Builds the Debian package vek_<version>_amd64.deb and checks it:
#   scripts/package.sh [BUILD_DIR]
# BUILD_DIR defaults to build-package/, configured here as a Release build.
# An existing build (CI's build-release/) is reused: only its install
# prefix is set to /usr, where the package installs, and it is brought up
# to date. The package's file list must match scripts/package-files.txt
# (plus one page per guide chapter and one file per data file), and
# lintian must report no error. Prints the package's path last.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(realpath -m "${1:-$root/build-package}")
jobs=${VEK_JOBS:-2}

say() { echo "package: $*"; }
fail() { say "FAILED: $*" >&2; exit 1; }

for tool in cpack dpkg-deb dpkg-shlibdeps lintian pandoc; do
    command -v "$tool" >/dev/null || fail "$tool is missing (apt-get install -y lintian dpkg-dev pandoc)"
done

# 1. Configure for /usr and build.
if [[ -f $build/CMakeCache.txt ]]; then
    grep -q '^CMAKE_BUILD_TYPE:STRING=Release$' "$build/CMakeCache.txt" ||
        say "warning: $build is not a Release build"
    cmake -S "$root" -B "$build" -DCMAKE_INSTALL_PREFIX=/usr >/dev/null
else
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVEK_BUILD_BENCH=OFF \
        -DVEK_BUILD_TESTS=OFF -DCMAKE_INSTALL_PREFIX=/usr >/dev/null
fi
cmake --build "$build" -j"$jobs" >"$build/package-build.log" 2>&1 ||
    { tail -30 "$build/package-build.log"; fail "build"; }
[[ -x $build/editor/vekedit ]] || fail "vekedit was not built (Qt 6 or FluidSynth development files missing?)"

# 2. Pack.
rm -f "$build"/vek_*.deb
(cd "$build" && cpack -G DEB >"$build/package-cpack.log" 2>&1) ||
    { tail -30 "$build/package-cpack.log"; fail "cpack"; }
debs=("$build"/vek_*_amd64.deb)
[[ -f ${debs[0]} && ${#debs[@]} -eq 1 ]] || fail "cpack made no single vek_*_amd64.deb"
deb=${debs[0]}

# 3. The file list: files and links only, "./usr/x -> y" read as "/usr/x".
expected=$(
    grep -v '^#' "$root/scripts/package-files.txt" | grep .
    for page in "$root"/docs/guide/*.md; do echo "/usr/share/doc/vek/guide/$(basename "$page" .md).html"; done
    (cd "$root/data" && find . -type f | sed 's|^\.|/usr/share/vek|')
    for piece in "$root"/examples/*.vek; do echo "/usr/share/vek/examples/$(basename "$piece")"; done
)
actual=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print substr($6, 2) }')
if ! diff <(sort <<<"$expected") <(sort <<<"$actual") >"$build/package-files.diff"; then
    cat "$build/package-files.diff"
    fail "the package's files differ from scripts/package-files.txt ('<' missing, '>' unexpected)"
fi

# 4. Debian's checks: errors fail, warnings are shown.
lintian --fail-on error "$deb" || fail "lintian reports errors"
say "$(dpkg-deb -f "$deb" Package Version Depends Recommends | tr '\n' ' ')"
echo "$deb"
