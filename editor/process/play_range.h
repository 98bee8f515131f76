// The part of a document that Play From Caret compiles.
#pragma once

#include <QtGlobal>

namespace vek::editor {

class CPadView;

struct ByteRange {
    qint64 start;  // bytes into the file
    qint64 end;
};

// From the start of the word under the caret (the statement the caret is
// in: the reader must pass that exact offset) to the end of the file.
ByteRange caretToEnd(const CPadView &view);

}  // namespace vek::editor
