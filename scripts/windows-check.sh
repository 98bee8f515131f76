#!/usr/bin/env bash
# Cross-builds the compiler library and the command for 64-bit Windows with
# mingw-w64 (into build-windows/) and checks them under Wine:
#   - Vek12.dll exports Vekmain and VekmainWithMap and nothing else, and neither Vek12.dll nor
#     vek.exe needs a DLL that a bare Windows lacks;
#   - a C host loads Vek12.dll with LoadLibraryA and compiles a piece, its
#     path and search path written the Windows way (drive letter, "\");
#   - vek.exe compiles every .vek of the repository (language cases,
#     examples, the guide's examples), each in a scratch copy of its folder,
#     to the same bytes as the Linux vek of build/ (brought up to date).
# Listings and messages are text: Windows writes them with CR LF, so they
# are compared with CRs left out; music and sysex.out byte for byte.
# Installs what it needs (mingw-w64, Wine) when missing. Not part of CI:
# the cross build and Wine take longer than a CI run can spare.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
native=${VEK_NATIVE_BUILD:-$root/build}
cross=$root/build-windows
package=$cross/package
export WINEPREFIX=${WINEPREFIX:-/tmp/vek-wine-prefix}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine=/usr/lib/wine/wine64
mingw=x86_64-w64-mingw32

say() { echo "windows-check: $*"; }
fail() { say "FAILED: $*" >&2; exit 1; }

install_packages() {
    local wanted=() p
    for p in g++-mingw-w64-x86-64-posix mingw-w64-tools wine64; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || wanted+=("$p")
    done
    [[ ${#wanted[@]} -eq 0 ]] && return
    local sudo=()
    [[ $(id -u) -eq 0 ]] || sudo=(sudo)
    say "installing ${wanted[*]}"
    export DEBIAN_FRONTEND=noninteractive
    "${sudo[@]}" apt-get update -qq
    "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${wanted[@]}" >/dev/null
}

build() {
    if [[ ! -f $native/CMakeCache.txt ]]; then
        cmake -S "$root" -B "$native" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVEK_BUILD_EDITOR=OFF \
            -DVEK_BUILD_BENCH=OFF >/dev/null
    fi
    # The Linux side must be the same sources' vek.
    cmake --build "$native" -j2 --target vek
    cmake -S "$root" -B "$cross" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
        -DVEK_BUILD_TESTS=OFF -DVEK_BUILD_BENCH=OFF -DVEK_BUILD_EDITOR=OFF -DVEK_WERROR=ON >/dev/null
    cmake --build "$cross" -j2 --target Vek12 vek
    "$mingw-gcc-posix" -std=c11 -Wall -Wextra -Werror -I"$root/compiler/include" -static \
        -o "$cross/load_vek12.exe" "$root/tests/windows/load_vek12.c" -lshell32
    # Laid out as installed: the command finds the include files in
    # ../share/vek beside it, and the DLL beside it.
    rm -rf "$package"
    mkdir -p "$package/bin" "$package/share"
    cp "$cross/cli/vek.exe" "$cross/compiler/Vek12.dll" "$package/bin/"
    cp -r "$root/data" "$package/share/vek"
}

check_exports() {
    local exports
    exports=$("$mingw-objdump" -p "$package/bin/Vek12.dll" |
        awk '/\[Ordinal\/Name Pointer\] Table/ {on = 1; next} on && /^$/ {on = 0} on {sub(/^.*\] */, ""); print}')
    say "Vek12.dll exports: $(echo $exports)"
    [[ $(echo $exports) == "Vekmain VekmainWithMap" ]] ||
        fail "Vek12.dll must export Vekmain and VekmainWithMap alone"
    local file dlls
    for file in "$package/bin/Vek12.dll" "$package/bin/vek.exe" "$cross/load_vek12.exe"; do
        dlls=$("$mingw-objdump" -p "$file" | sed -n 's/^\tDLL Name: //p' | tr '\n' ' ')
        say "$(basename "$file") needs: $dlls"
        # The mingw runtime DLLs (libstdc++, libgcc, libwinpthread) are
        # named lib*; a bare Windows has none of them.
        if grep -qi '\blib[a-z_+0-9-]*\.dll' <<<"$dlls"; then fail "$(basename "$file") needs a runtime DLL"; fi
    done
}

windows_path() { local p=${1//\//\\}; printf 'Z:%s' "$p"; }

start_wine() {
    [[ -d $WINEPREFIX ]] || say "creating the Wine prefix $WINEPREFIX (once)"
    "$wine" wineboot -i >/dev/null 2>&1 || true
    # One server for all the runs below saves its start each time.
    /usr/lib/wine/wineserver -p 60 || true  # fails when one runs already
}

# The host loads the DLL by a drive-letter path with "\" and gets the
# include files through a search path written the same way; the music
# must equal the Linux vek's.
check_host() {
    local dir=$work/host
    mkdir -p "$dir/linux" "$dir/windows"
    cp "$root/examples/first.vek" "$dir/linux/"
    cp "$root/examples/first.vek" "$dir/windows/"
    (cd "$dir/linux" && "$native/cli/vek" first.vek)
    local result
    result=$(cd "$dir/windows" && "$wine" "$cross/load_vek12.exe" "$(windows_path "$package/bin/Vek12.dll")" \
        first.vek "$(windows_path "$root/data")" | tr -d '\r') || fail "host: $result"
    say "host under Wine: $result"
    cmp -s "$dir/linux/first.mid" "$dir/windows/first.mid" || fail "host: first.mid differs from Linux"
}

# A source named by a drive-letter path with "\", from another folder: the
# music lands beside the source, sysex.out in the current folder.
check_folders() {
    local dir=$work/folders
    mkdir -p "$dir/piece/inc" "$dir/here"
    cp "$root/tests/language/sysex/sent_at_the_voices_time.vek" "$dir/piece/song.vek"
    (cd "$dir/here" && "$wine" "$package/bin/vek.exe" -I "$(windows_path "$dir/piece/inc")" \
        "$(windows_path "$dir/piece/song.vek")") || fail "a source named by a Windows path"
    [[ -s $dir/piece/song.mid ]] || fail "no song.mid beside the source"
    [[ -s $dir/here/sysex.out ]] || fail "no sysex.out in the current folder"
    say "a Windows path: song.mid beside the source, sysex.out in the current folder"
}

# A name outside ASCII: the host hands it over in UTF-8, vek.exe in the
# ANSI code page (which holds "é"); both must find the piece and write the
# music under the same name.
check_names() {
    local dir=$work/names
    mkdir -p "$dir/host" "$dir/vek"
    cp "$root/examples/first.vek" "$dir/host/première.vek"
    cp "$root/examples/first.vek" "$dir/vek/première.vek"
    (cd "$dir/host" && "$wine" "$cross/load_vek12.exe" "$(windows_path "$package/bin/Vek12.dll")" \
        première.vek "$(windows_path "$root/data")" >/dev/null) || fail "host: a UTF-8 name"
    (cd "$dir/vek" && "$wine" "$package/bin/vek.exe" première.vek) || fail "vek.exe: a name outside ASCII"
    cmp -s "$work/host/linux/first.mid" "$dir/host/première.mid" || fail "host: no première.mid"
    cmp -s "$work/host/linux/first.mid" "$dir/vek/première.mid" || fail "vek.exe: no première.mid"
    say "a name outside ASCII: first.mid's bytes under première.mid, from the host and from vek.exe"
}

# Every case as "ID<TAB>FOLDER<TAB>FILE": compiled as FILE in a copy of FOLDER.
list_cases() {
    local f rel
    while IFS= read -r f; do
        rel=${f#"$root"/}
        printf '%s\t%s\t%s\n' "${rel//\//_}" "$(dirname "$f")" "$(basename "$f")"
    done < <(find "$root/tests/language" "$root/examples" -name '*.vek' -not -path '*/inc/*' | sort)
    python3 - "$root/docs" "$work/guide" <<'PY'
# The guide's examples: each ```vek block; a block whose comment after it
# says "' file: NAME" is an include file for the page's later examples.
import pathlib, re, sys
docs, out = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])
for page in sorted(docs.rglob("*.md")):
    lines = page.read_text(encoding="utf-8").split("\n")
    includes, i, n = {}, 0, 0
    while i < len(lines):
        if lines[i].strip() != "```vek":
            i += 1
            continue
        j = i + 1
        while j < len(lines) and lines[j].strip() != "```":
            j += 1
        body = "\n".join(lines[i + 1:j]) + "\n"
        k = j + 1
        while k < len(lines) and not lines[k].strip():
            k += 1
        notes = ""
        if k < len(lines) and lines[k].lstrip().startswith("<!--"):
            e = k
            while e < len(lines) and "-->" not in lines[e]:
                e += 1
            notes = "\n".join(lines[k:e + 1])
        named = re.search(r"' file: *(\S+)", notes)
        if named:
            includes[named.group(1)] = body
        else:
            n += 1
            case = f"{page.relative_to(docs).with_suffix('')}_{n}".replace("/", "_")
            folder = out / case
            folder.mkdir(parents=True)
            for name, text in includes.items():
                (folder / name).parent.mkdir(parents=True, exist_ok=True)
                (folder / name).write_bytes(text.encode("utf-8"))
            (folder / "example.vek").write_bytes(body.encode("utf-8"))
            print(f"docs_{case}\t{folder}\texample.vek")
        i = j + 1
PY
}

# Compiles one case on one side; leaves the folder, the status and the
# messages under $work/SIDE/ID.
run_case() {
    local side=$1 id=$2 folder=$3 file=$4
    local dir=$work/$side/$id
    mkdir -p "$dir"
    cp -r "$folder/." "$dir/"
    local status=0
    if [[ $side == linux ]]; then
        (cd "$dir" && timeout 60 "$native/cli/vek" "$file") >"$dir.out" 2>"$dir.err" || status=$?
    else
        (cd "$dir" && timeout 120 "$wine" "$package/bin/vek.exe" "$file") >"$dir.out" 2>"$dir.err" || status=$?
    fi
    echo "$status" >"$dir.status"
}

# "same", or the kinds of text equal once CRs are left out ("listing",
# "messages"), or the first difference.
compare_case() {
    local id=$1 l=$work/linux/$1 w=$work/windows/$1
    cmp -s "$l.status" "$w.status" || { echo "exit status $(cat "$l.status") vs $(cat "$w.status")"; return; }
    local files
    files=$( (cd "$l" && find . -type f; cd "$w" && find . -type f) | sort | uniq -u)
    [[ -z $files ]] || { echo "files on one side only: $(echo $files)"; return; }
    local f text=()
    while IFS= read -r f; do
        cmp -s "$l/$f" "$w/$f" && continue
        case $f in
            *.vls) if cmp -s <(tr -d '\r' <"$l/$f") <(tr -d '\r' <"$w/$f"); then text+=(listing); continue; fi ;;
        esac
        echo "$f differs"
        return
    done < <(cd "$l" && find . -type f | sort)
    for f in out err; do
        cmp -s "$l.$f" "$w.$f" && continue
        if cmp -s <(tr -d '\r' <"$l.$f") <(tr -d '\r' <"$w.$f"); then text+=(messages); continue; fi
        echo "std$f differs"
        return
    done
    if [[ ${#text[@]} -eq 0 ]]; then echo same; else echo "${text[*]}"; fi
}

compare_all() {
    list_cases >"$work/cases"
    local id folder file verdict total=0 same=0 listing=0 messages=0 different=0
    while IFS=$'\t' read -r id folder file; do
        run_case linux "$id" "$folder" "$file"
        run_case windows "$id" "$folder" "$file"
        verdict=$(compare_case "$id")
        total=$((total + 1))
        case $verdict in
            same) same=$((same + 1)) ;;
            listing) listing=$((listing + 1)) ;;
            messages) messages=$((messages + 1)) ;;
            "listing messages") listing=$((listing + 1)); messages=$((messages + 1)) ;;
            *) different=$((different + 1)); say "DIFFERENT $id: $verdict" ;;
        esac
    done <"$work/cases"
    say "compared $total: $same identical byte for byte, $((total - same - different)) identical but" \
        "for CR LF in text ($listing listings, $messages messages), $different different"
    [[ $different -eq 0 ]] || fail "$different outputs differ (kept in $work)"
}

install_packages
build
check_exports
work=$(mktemp -d /tmp/vek-windows-check.XXXXXX)
start_wine
check_host
check_folders
check_names
compare_all
rm -rf "$work"
say "passed"
