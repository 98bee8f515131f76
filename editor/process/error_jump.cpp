#include "process/error_jump.h"

#include "app/pad_doc.h"
#include "app/pad_view.h"

#include <QTextBlock>

namespace vek::editor {

TextLocation selectErrorCharacter(CPadView &view, qint64 byteOffset) {
    const CPadDoc &doc = *view.padDoc();
    const QString text = doc.text();
    const int start = doc.position(byteOffset);
    int end = start;
    if (start < text.size())
        end += text[start].isHighSurrogate() && start + 1 < text.size() ? 2 : 1;
    QTextCursor cursor(view.document());
    cursor.setPosition(start);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    view.setTextCursor(cursor);
    view.ensureCursorVisible();
    view.setFocus();
    const QTextBlock block = view.document()->findBlock(start);
    return TextLocation{block.blockNumber() + 1, start - block.position() + 1};
}

QString describeLocation(const TextLocation &location, const QString &title) {
    return QStringLiteral("Line %1, column %2 of %3.").arg(location.line).arg(location.column).arg(title);
}

}  // namespace vek::editor
