#include "process/play_follower.h"

#include "app/pad_doc.h"
#include "app/pad_frame.h"
#include "app/pad_view.h"
#include "platform/mci.h"
#include "process/compile_command.h"

#include <QScrollBar>
#include <algorithm>
#include <QTextBlock>

namespace vek::editor {

namespace {

// Often enough for a mark to follow sixteenth notes at a brisk tempo.
constexpr int kPollMs = 40;
// Tells the play marks from the view's own (bracket) marks.
constexpr int kPlayMarkProperty = QTextFormat::UserProperty + 17;
const QString kAlias = QStringLiteral("myfile");

bool endsWord(QChar c) { return c.isSpace() || QStringLiteral("()[]{}|,;=").contains(c); }

void scrollTo(CPadView &view, const QTextCursor &cursor) {
    const QRect shown = view.viewport()->rect();
    if (shown.contains(view.cursorRect(cursor)))
        return;
    const int lines = std::max(1, shown.height() / std::max(1, view.fontMetrics().height()));
    view.verticalScrollBar()->setValue(cursor.block().firstLineNumber() - lines / 3);
}

}  // namespace

QTextCursor noteText(CPadView &view, qint64 offset) {
    const QString text = view.toPlainText();
    int start = view.padDoc()->position(offset);
    if (start >= text.size() || endsWord(text.at(start)))
        while (start > 0 && !endsWord(text.at(start - 1)))
            --start;
    int end = start;
    while (end < text.size() && !endsWord(text.at(end)))
        ++end;
    QTextCursor cursor(view.document());
    cursor.setPosition(start);
    cursor.setPosition(std::min(std::max(end, start + 1), int(text.size())), QTextCursor::KeepAnchor);
    return cursor;
}

PlayFollower::PlayFollower(CompileCommand &compile, InternalPlayer &player, QObject *parent)
    : QObject(parent), m_compile(compile) {
    m_timer.setInterval(kPollMs);
    connect(&m_timer, &QTimer::timeout, this, &PlayFollower::poll);
    connect(&player, &InternalPlayer::stateChanged, this, &PlayFollower::onState);
}

void PlayFollower::onState(InternalPlayer::State state) {
    if (state == InternalPlayer::Playing) {
        m_timer.start();
        poll();
    } else {
        m_timer.stop();
        if (state == InternalPlayer::Idle)
            showTick(-1);
    }
}

void PlayFollower::poll() { showTick(Mci::instance().positionTicks(kAlias)); }

void PlayFollower::showTick(int tick) {
    const bool moved = tick != m_tick;
    m_tick = tick;
    CPadFrame *frame = m_compile.mappedFrame();
    if (frame) {
        CPadView &view = *frame->view();
        QList<QTextEdit::ExtraSelection> marks;
        for (const QTextEdit::ExtraSelection &mark : view.extraSelections())
            if (!mark.format.hasProperty(kPlayMarkProperty))
                marks.append(mark);
        const PieceMap &map = m_compile.lastMap();
        bool first = true;
        for (int index : tick < 0 ? QVector<int>() : map.soundingAt(tick)) {
            QTextEdit::ExtraSelection mark;
            mark.cursor = noteText(view, map.notes[index].offset);
            mark.format.setBackground(QColor(0xfd, 0xe6, 0x8a));
            mark.format.setProperty(kPlayMarkProperty, true);
            if (m_following && first && moved)
                scrollTo(view, mark.cursor);
            first = false;
            marks.append(mark);
        }
        view.setExtraSelections(marks);
    }
    if (moved)
        emit tickChanged(tick);
}

}  // namespace vek::editor
