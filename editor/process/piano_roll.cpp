#include "process/piano_roll.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>

namespace vek::editor {

namespace {

constexpr int kHeader = 18;      // px: bar numbers
constexpr int kTempoStrip = 22;  // px under the header: the tempo line
constexpr int kTop = kHeader + kTempoStrip;
constexpr int kRow = 6;          // px per semitone
constexpr int kMargin = 24;      // px right of the last note
constexpr double kMinScale = 0.01, kMaxScale = 2.0;  // px per tick

// The channel of a track's first note, -1 without notes.
int trackChannel(const PieceMap &map, int track) {
    for (const VekMappedNote &n : map.notes)
        if (n.track == track)
            return n.channel;
    return -1;
}

void drawTempo(QPainter &p, const PieceMap &map, const PianoRoll &roll, int width) {
    if (map.tempos.isEmpty())
        return;
    double low = map.tempos[0].bpm, high = low;
    for (const TempoPoint &t : map.tempos) {
        low = std::min(low, t.bpm);
        high = std::max(high, t.bpm);
    }
    auto y = [&](double bpm) {
        return high > low ? kHeader + 3 + (high - bpm) * (kTempoStrip - 6) / (high - low) : kHeader + kTempoStrip / 2.0;
    };
    QPolygonF line;
    for (const TempoPoint &t : map.tempos) {
        if (!line.isEmpty())
            line << QPointF(roll.tickX(t.tick), line.last().y());
        line << QPointF(roll.tickX(t.tick), y(t.bpm));
    }
    line << QPointF(width, line.last().y());
    p.setPen(QPen(QColor(0x25, 0x63, 0xeb), 1));
    p.drawPolyline(line);
}

}  // namespace

PianoRoll::PianoRoll(QWidget *parent) : QWidget(parent) {
    setObjectName(QStringLiteral("pianoRoll"));
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    resizeToPiece();
}

QColor PianoRoll::trackColour(int track) { return QColor::fromHsv((track * 67 + 200) % 360, 170, 210); }

void PianoRoll::setMap(const PieceMap &map) {
    m_map = map;
    m_lowKey = 127;
    m_highKey = 0;
    for (const VekMappedNote &n : m_map.notes) {
        m_lowKey = std::min(m_lowKey, n.key);
        m_highKey = std::max(m_highKey, n.key);
    }
    if (m_map.notes.isEmpty())
        m_lowKey = 48, m_highKey = 72;
    m_lowKey = std::max(0, m_lowKey - 2);
    m_highKey = std::min(127, m_highKey + 2);
    resizeToPiece();
    update();
}

void PianoRoll::setTick(int tick) {
    if (tick == m_tick)
        return;
    m_tick = tick;
    update();
}

int PianoRoll::tickX(int tick) const { return int(tick * m_pixelsPerTick); }

int PianoRoll::keyY(int key) const { return kTop + (m_highKey - key) * kRow; }

void PianoRoll::zoom(double factor) {
    m_pixelsPerTick = std::clamp(m_pixelsPerTick * factor, kMinScale, kMaxScale);
    resizeToPiece();
    update();
}

void PianoRoll::resizeToPiece() {
    const int end = std::max(m_map.endTick(), 4 * m_map.division);
    resize(tickX(end) + kMargin, keyY(m_lowKey) + kRow + 1);
    setMinimumSize(size());
}

QRect PianoRoll::noteRect(int index) const {
    const VekMappedNote &n = m_map.notes[index];
    const int x = tickX(n.start);
    return QRect(x, keyY(n.key), std::max(2, tickX(n.start + n.length) - x), kRow);
}

int PianoRoll::noteAt(QPoint point) const {
    for (int i = int(m_map.notes.size()) - 1; i >= 0; --i)
        if (noteRect(i).contains(point))
            return i;
    return -1;
}

void PianoRoll::paintEvent(QPaintEvent *) {
    QPainter p(this);
    const int bottom = keyY(m_lowKey) + kRow;
    for (int key = m_lowKey; key <= m_highKey; ++key)
        if (key % 12 == 0)
            p.fillRect(0, keyY(key), width(), kRow, QColor(0xf1, 0xf5, 0xf9));
    p.setFont(QFont(font().family(), 7));
    for (const auto &[tick, bar] : m_map.barLines(m_map.endTick())) {
        const int x = tickX(tick);
        p.setPen(QColor(0xcb, 0xd5, 0xe1));
        p.drawLine(x, kHeader, x, bottom);
        p.setPen(palette().color(QPalette::Text));
        p.drawText(x + 2, kHeader - 5, QString::number(bar));
    }
    drawTempo(p, m_map, *this, width());
    for (int i = 0; i < m_map.notes.size(); ++i) {
        const QColor colour = trackColour(m_map.notes[i].track);
        p.fillRect(noteRect(i), colour);
        p.setPen(colour.darker(140));
        p.drawRect(noteRect(i).adjusted(0, 0, -1, -1));
    }
    if (m_tick >= 0) {
        p.setPen(QPen(Qt::red, 2));
        p.drawLine(tickX(m_tick), 0, tickX(m_tick), bottom);
    }
}

void PianoRoll::mousePressEvent(QMouseEvent *event) {
    const int index = noteAt(event->position().toPoint());
    if (index >= 0)
        emit noteClicked(index);
}

void PianoRoll::wheelEvent(QWheelEvent *event) {
    if (!(event->modifiers() & Qt::ControlModifier))
        return QWidget::wheelEvent(event);
    zoom(event->angleDelta().y() > 0 ? 1.25 : 0.8);
    event->accept();
}

PianoRollDock::PianoRollDock(QWidget *parent)
    : QDockWidget(QStringLiteral("Piano Roll"), parent), m_roll(new PianoRoll), m_scroll(new QScrollArea),
      m_legend(new QLabel) {
    setObjectName(QStringLiteral("pianoRollDock"));
    m_legend->setObjectName(QStringLiteral("pianoRollLegend"));
    m_legend->setTextFormat(Qt::RichText);
    m_scroll->setWidget(m_roll);
    m_scroll->setBackgroundRole(QPalette::Base);
    auto *zoomIn = new QToolButton, *zoomOut = new QToolButton;
    zoomIn->setText(QStringLiteral("+"));
    zoomOut->setText(QStringLiteral("-"));
    zoomIn->setToolTip(QStringLiteral("Zoom in (Ctrl+wheel)"));
    zoomOut->setToolTip(QStringLiteral("Zoom out (Ctrl+wheel)"));
    connect(zoomIn, &QToolButton::clicked, this, [this] { m_roll->zoom(1.25); });
    connect(zoomOut, &QToolButton::clicked, this, [this] { m_roll->zoom(0.8); });
    auto *top = new QHBoxLayout;
    top->addWidget(m_legend, 1);
    top->addWidget(zoomOut);
    top->addWidget(zoomIn);
    auto *body = new QWidget;
    auto *layout = new QVBoxLayout(body);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addLayout(top);
    layout->addWidget(m_scroll, 1);
    setWidget(body);
    setMap(PieceMap{});
}

void PianoRollDock::setMap(const PieceMap &map) {
    m_roll->setMap(map);
    m_legend->setText(legendText());
}

void PianoRollDock::setTick(int tick) {
    m_roll->setTick(tick);
    if (tick >= 0)
        m_scroll->ensureVisible(m_roll->tickX(tick), m_scroll->verticalScrollBar()->value(), 60, 0);
}

QString PianoRollDock::legendText() const {
    const PieceMap &map = m_roll->map();
    if (map.trackNames.isEmpty())
        return QStringLiteral("No piece compiled yet");
    QStringList entries;
    for (int t = 1; t <= map.trackCount(); ++t) {
        const QString name = map.trackNames[t - 1].isEmpty() ? QStringLiteral("Track %1").arg(t)
                                                             : map.trackNames[t - 1].toHtmlEscaped();
        const int channel = trackChannel(map, t);
        entries << QStringLiteral("<span style=\"color:%1\">&#9632;</span> %2%3")
                       .arg(PianoRoll::trackColour(t).name(), name,
                            channel >= 0 ? QStringLiteral(" (ch %1)").arg(channel + 1) : QString());
    }
    return entries.join(QStringLiteral("&nbsp;&nbsp; "));
}

}  // namespace vek::editor
