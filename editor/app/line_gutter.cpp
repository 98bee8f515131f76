#include "app/line_gutter.h"

#include "app/pad_view.h"

#include <QPaintEvent>
#include <QPainter>
#include <QTextBlock>
#include <algorithm>

namespace vek::editor {

namespace {

// Pixels between the numbers and the text.
constexpr int kPadding = 6;

}  // namespace

LineGutter::LineGutter(CPadView *view) : QWidget(view), m_view(view) { setObjectName(QStringLiteral("lineGutter")); }

QSize LineGutter::sizeHint() const { return QSize(m_view->gutterWidth(), 0); }

void LineGutter::paintEvent(QPaintEvent *event) {
    m_view->paintGutter(*this, event->rect());
}

void CPadView::setLineNumbers(bool on) {
    if (on == lineNumbers())
        return;
    if (on) {
        m_gutter = new LineGutter(this);
        connect(this, &QPlainTextEdit::blockCountChanged, this, &CPadView::placeGutter);
        connect(this, &QPlainTextEdit::updateRequest, m_gutter, [this](const QRect &rect, int dy) {
            if (dy != 0)
                m_gutter->scroll(0, dy);
            else
                m_gutter->update(0, rect.y(), m_gutter->width(), rect.height());
        });
        m_gutter->show();
    } else {
        disconnect(this, &QPlainTextEdit::blockCountChanged, this, &CPadView::placeGutter);
        delete m_gutter;
        m_gutter = nullptr;
    }
    placeGutter();
}

int CPadView::gutterWidth() const {
    int digits = 1;
    for (int lines = std::max(1, blockCount()); lines >= 10; lines /= 10)
        ++digits;
    return 2 * kPadding + fontMetrics().horizontalAdvance(QLatin1Char('9')) * std::max(3, digits);
}

void CPadView::placeGutter() {
    const int width = m_gutter ? gutterWidth() : 0;
    setViewportMargins(width, 0, 0, 0);
    if (m_gutter) {
        const QRect inside = contentsRect();
        m_gutter->setGeometry(inside.left(), inside.top(), width, inside.height());
    }
}

void CPadView::resizeEvent(QResizeEvent *event) {
    QPlainTextEdit::resizeEvent(event);
    placeGutter();
}

void CPadView::paintGutter(QWidget &gutter, const QRect &area) {
    QPainter painter(&gutter);
    painter.fillRect(area, palette().window());
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::Disabled, QPalette::Text));
    const int caretBlock = textCursor().blockNumber();
    QTextBlock block = firstVisibleBlock();
    qreal top = blockBoundingGeometry(block).translated(contentOffset()).top();
    while (block.isValid() && top <= area.bottom()) {
        const qreal height = blockBoundingRect(block).height();
        if (block.isVisible() && top + height >= area.top()) {
            QFont number = font();
            number.setBold(block.blockNumber() == caretBlock);
            painter.setFont(number);
            painter.drawText(QRectF(0, top, gutter.width() - kPadding, fontMetrics().height()),
                             Qt::AlignRight, QString::number(block.blockNumber() + 1));
        }
        top += height;
        block = block.next();
    }
}

}  // namespace vek::editor
