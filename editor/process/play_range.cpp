#include "process/play_range.h"

#include "app/pad_doc.h"
#include "app/pad_view.h"

namespace vek::editor {

ByteRange caretToEnd(const CPadView &view) {
    const QString text = view.toPlainText();
    int at = view.textCursor().selectionStart();
    while (at > 0 && !text.at(at - 1).isSpace())
        --at;
    const CPadDoc &doc = *view.padDoc();
    return ByteRange{doc.byteOffset(at), doc.bytes().size()};
}

}  // namespace vek::editor
