#!/usr/bin/env bash
# Builds a seed corpus for fuzz_vekmain in OUT_DIR from every .vek file of
# the tests, the examples and the docs, the examples of the guide, plus the
# hand-written seeds here.
# Files are named by their content hash, so duplicates collapse.
set -euo pipefail

if [[ $# -ne 1 ]]; then
    echo "usage: $0 OUT_DIR" >&2
    exit 2
fi
out=$1
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
mkdir -p "$out"

count=0
while IFS= read -r -d '' file; do
    hash=$(sha1sum "$file" | cut -c1-40)
    cp "$file" "$out/$hash"
    count=$((count + 1))
done < <(find "$root/tests" "$root/examples" "$root/docs" "$root/fuzz/seeds" \
              -type f -name '*.vek' -print0 2>/dev/null)

# Every vek example of the guide is a seed too.
while IFS= read -r -d '' page; do
    awk -v out="$out" -v page="$(basename "$page" .md)" '
        /^```vek/ { n++; file = out "/" page "-" n; inside = 1; next }
        /^```/    { if (inside) close(file); inside = 0; next }
        inside    { print > file }' "$page"
done < <(find "$root/docs" -type f -name '*.md' -print0 2>/dev/null)

echo "fuzz corpus: $count seed files, $(find "$out" -type f | wc -l) distinct, in $out"
