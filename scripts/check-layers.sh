#!/usr/bin/env bash
# The back end (compiler/events, compiler/writers) must not depend on the
# parse side (compiler/entry, input, statements, music). Prints every
# include that breaks the rule and exits 1; exits 0 when there is none.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root/compiler"

# The emitters still take the whole CompileState; these includes go when
# they take a narrower context. One "file:header" a line.
allowed='
events/control_emission.cpp:entry/compile_state.h
events/control_emission.cpp:input/symbol_table.h
events/glide.cpp:entry/compile_state.h
events/note_emission.cpp:entry/compile_state.h
events/note_emission.cpp:input/errors.h
events/note_emission.cpp:input/lexer.h
events/note_emission.cpp:input/listing.h
events/note_emission.cpp:input/symbol_table.h
events/note_emission.cpp:music/note_marks.h
events/note_emission.cpp:music/pitch.h
events/note_emission.cpp:music/ticks.h
events/sweep.cpp:entry/compile_state.h
events/sweep.cpp:input/errors.h
events/sweep.cpp:input/listing.h
events/sweep.cpp:input/symbol_table.h
events/sweep.cpp:music/ticks.h
'

status=0
while IFS= read -r line; do
    file=${line%%:*}
    header=$(sed -E 's/.*#include "([^"]+)".*/\1/' <<<"$line")
    [[ $header =~ ^(entry|input|statements|music)/ ]] || continue
    grep -qxF "$file:$header" <<<"$allowed" && continue
    echo "compiler/$line"
    status=1
done < <(grep -nH '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' events/* writers/* || true)
if ((status)); then
    echo "the back end (events/, writers/) includes the parse side (entry/, input/, statements/, music/)" >&2
fi
exit "$status"
