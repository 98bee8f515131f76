#!/usr/bin/env bash
# Compiles every .vek under tests/, examples/, docs/ and fuzz/ and every
# ```vek example of the guide with two vek commands and reports any
# difference in what they leave behind: the music (.mid, .wrk), the
# listing, sysex.out, the messages and the exit status. Each piece is
# compiled twice per command, as MIDI and as a work file, with a listing,
# in a scratch copy of its folder at the same path for both commands.
#   scripts/compare-outputs.sh OLD_VEK NEW_VEK
# Exits 1 when anything differs; the scratch folder is kept then.
set -euo pipefail
[[ $# -eq 2 ]] || { echo "usage: $0 OLD_VEK NEW_VEK" >&2; exit 2; }
old=$(realpath "$1")
new=$(realpath "$2")
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/vek-compare.XXXXXX")

# Every case as "ID<TAB>FOLDER<TAB>FILE"; the guide's examples are written
# out first, each with the include files its page names before it.
list_cases() {
    local f rel
    while IFS= read -r f; do
        rel=${f#"$root"/}
        printf '%s\t%s\t%s\n' "${rel//\//_}" "$(dirname "$f")" "$(basename "$f")"
    done < <(find "$root/tests" "$root/examples" "$root/docs" "$root/fuzz" -name '*.vek' | sort)
    python3 - "$root/docs" "$work/guide" <<'PY'
import pathlib, re, sys
docs, out = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])
for page in sorted(docs.rglob("*.md")):
    text = page.read_text(encoding="utf-8")
    includes = {}
    for n, m in enumerate(re.finditer(r"^```vek\n(.*?)^```\n(\s*<!--.*?-->)?", text, re.M | re.S)):
        named = re.search(r"' file: *(\S+)", m.group(2) or "")
        if named:
            includes[named.group(1)] = m.group(1)
            continue
        folder = out / f"{page.relative_to(docs).with_suffix('')}_{n}".replace("/", "_")
        folder.mkdir(parents=True)
        for name, body in includes.items():
            (folder / name).parent.mkdir(parents=True, exist_ok=True)
            (folder / name).write_text(body, encoding="utf-8")
        (folder / "example.vek").write_text(m.group(1), encoding="utf-8")
        print(f"docs_{folder.name}\t{folder}\texample.vek")
PY
}

# Runs one command on one case in $work/run and moves the folder, with the
# messages and the status of each format, to $work/SIDE/ID.
run_case() {
    local side=$1 vek=$2 id=$3 folder=$4 file=$5 format status
    rm -rf "$work/run"
    mkdir -p "$work/run" "$work/$side"
    cp -r "$folder/." "$work/run/"
    for format in midi wrk; do
        status=0
        (cd "$work/run" && timeout 60 "$vek" -f "$format" -l "$format.lst" "$file") \
            >"$work/run/$format.out" 2>&1 || status=$?
        echo "$status" >"$work/run/$format.status"
        if [[ -e $work/run/sysex.out ]]; then mv "$work/run/sysex.out" "$work/run/$format.sysex.out"; fi
    done
    mv "$work/run" "$work/$side/$id"
}

count=0
differ=0
while IFS=$'\t' read -r id folder file; do
    run_case old "$old" "$id" "$folder" "$file"
    run_case new "$new" "$id" "$folder" "$file"
    count=$((count + 1))
    if ! diff -r -q "$work/old/$id" "$work/new/$id" >/dev/null; then
        differ=$((differ + 1))
        echo "differs: $id"
        diff -r "$work/old/$id" "$work/new/$id" | head -20 || true
    else
        rm -rf "$work/old/$id" "$work/new/$id"
    fi
done < <(list_cases)

echo "compare-outputs: $count pieces, $differ differ"
if [[ $differ -ne 0 ]]; then
    echo "kept in $work"
    exit 1
fi
rm -rf "$work"
