#!/usr/bin/env bash
# The back end (compiler/events, compiler/writers) must not depend on the
# parse side (compiler/entry, input, statements, music). Prints every
# include that breaks the rule and exits 1; exits 0 when there is none.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root/compiler"

status=0
while IFS= read -r line; do
    header=$(sed -E 's/.*#include "([^"]+)".*/\1/' <<<"$line")
    [[ $header =~ ^(entry|input|statements|music)/ ]] || continue
    echo "compiler/$line"
    status=1
done < <(grep -nH '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' events/* writers/* || true)
if ((status)); then
    echo "the back end (events/, writers/) includes the parse side (entry/, input/, statements/, music/)" >&2
fi
exit "$status"
