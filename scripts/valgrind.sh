#!/usr/bin/env bash
# Runs the test programs of a build under valgrind's memcheck: any invalid
# access, use of uninitialised memory or definite leak fails the run.
# Usage: scripts/valgrind.sh [BUILD_DIR]   (default: build)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
supp=$root/tests/valgrind.supp
log=$build/valgrind-logs
rm -rf "$log" && mkdir -p "$log"

check() {
    local name=$1; shift
    if valgrind --error-exitcode=99 --leak-check=full --errors-for-leak-kinds=definite \
            --show-leak-kinds=definite --child-silent-after-fork=yes \
            --suppressions="$supp" "$@" >"$log/$name.log" 2>&1; then
        echo "clean: $name"
    else
        echo "FAILED: $name (see $log/$name.log)"
        return 1
    fi
}

# Qt compiles regular expressions to machine code that valgrind cannot
# follow; interpreted they give the same results.
export QT_ENABLE_REGEXP_JIT=0
failed=0
(cd "$build/tests" && check vek_tests ./vek_tests) || failed=1
for test in "$build"/tests/editor/tst_*; do
    [[ -x $test && ! -d $test ]] || continue
    (cd "$(dirname "$test")" && QT_QPA_PLATFORM=offscreen check "$(basename "$test")" "$test") ||
        failed=1
done
exit $failed
