#include "drums/step_picture.h"

#include <QPainter>
#include <algorithm>

namespace vek::editor {

namespace {

constexpr int kCell = 22;     // pixels: width of one step
constexpr int kGap = 3;       // pixels between steps
constexpr int kBeatGap = 8;   // pixels between beats
constexpr int kBarHeight = 34;
constexpr int kLabelHeight = 14;

}  // namespace

QList<int> stepFrequencyIndexes(int beatMode) {
    if (beatMode == kSixteenBeat)
        return {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
    if (beatMode == kTwelveBeat)
        return {0, 1, 2, 3, 4, 5, 0, 1, 2, 3, 6, 7};
    return {};
}

double hitChance(int frequency) {
    if (frequency <= 0)
        return 0;
    if (frequency >= kMaxFrequency)
        return 1;
    return double(frequency) / (frequency + 3);
}

StepPicture::StepPicture(QWidget *parent) : QWidget(parent) {
    setObjectName(QStringLiteral("stepPicture"));
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void StepPicture::setFigure(const std::array<int, kFrequencies> &frequencies, int beatMode) {
    m_frequencies = frequencies;
    m_indexes = stepFrequencyIndexes(beatMode);
    m_stepsPerBeat = beatMode == kTwelveBeat ? 3 : 4;
    update();
}

QSize StepPicture::sizeHint() const {
    // Wide enough for 16 steps in four beats, so the dialog keeps its size
    // when the beat mode changes.
    return {16 * (kCell + kGap) + 3 * kBeatGap + 2, 2 * kLabelHeight + kBarHeight + 6};
}

void StepPicture::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette &colours = palette();
    const QColor hit = colours.color(QPalette::Highlight);
    const int top = kLabelHeight + 2;
    QFont small = font();
    small.setPointSizeF(font().pointSizeF() * 0.8);
    painter.setFont(small);
    const int beats = (steps() + m_stepsPerBeat - 1) / m_stepsPerBeat;
    const int used = steps() * (kCell + kGap) - kGap + std::max(beats - 1, 0) * kBeatGap;
    for (int step = 0, x = (width() - used) / 2; step < steps(); ++step) {
        const int beat = step / m_stepsPerBeat;
        const bool onBeat = step % m_stepsPerBeat == 0;
        if (onBeat && step > 0)
            x += kBeatGap;
        const QRectF cell(x, top, kCell, kBarHeight);
        painter.setPen(Qt::NoPen);
        painter.setBrush(colours.color(QPalette::Base));
        painter.drawRoundedRect(cell, 3, 3);
        const double chance = hitChance(m_frequencies[size_t(m_indexes[step])]);
        const double filled = cell.height() * chance;
        painter.setBrush(hit);
        painter.drawRoundedRect(QRectF(cell.left(), cell.bottom() - filled, cell.width(), filled), 3, 3);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(colours.color(onBeat ? QPalette::WindowText : QPalette::Mid), onBeat ? 1.6 : 1.0));
        painter.drawRoundedRect(cell, 3, 3);
        painter.setPen(colours.color(QPalette::WindowText));
        if (onBeat)
            painter.drawText(QRectF(x, 0, kCell, kLabelHeight), Qt::AlignCenter, QString::number(beat + 1));
        painter.setPen(colours.color(QPalette::PlaceholderText));
        painter.drawText(QRectF(x, cell.bottom() + 2, kCell, kLabelHeight), Qt::AlignCenter,
                         QString::number(m_indexes[step] + 1));
        x += kCell + kGap;
    }
}

}  // namespace vek::editor
