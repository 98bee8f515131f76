// The piano roll: the last compiled piece drawn from its event map, one
// colour per track, notes as bars on a pitch-by-time grid under bar lines
// with their numbers and the tempo map as a thin line; a moving line shows
// the play position. Ctrl+wheel or the dock's buttons zoom; a click on a
// note asks for its source text.
#pragma once

#include "process/piece_map.h"

#include <QDockWidget>
#include <QWidget>

class QLabel;
class QScrollArea;

namespace vek::editor {

class PianoRoll : public QWidget {
    Q_OBJECT
public:
    explicit PianoRoll(QWidget *parent = nullptr);

    void setMap(const PieceMap &map);
    const PieceMap &map() const { return m_map; }
    // The play position in ticks; -1 hides the line.
    void setTick(int tick);
    int tickX(int tick) const;
    // Multiplies the horizontal scale, within limits.
    void zoom(double factor);
    double scale() const { return m_pixelsPerTick; }
    // The note drawn at `point`, -1 when none; its rectangle.
    int noteAt(QPoint point) const;
    QRect noteRect(int index) const;
    static QColor trackColour(int track);

signals:
    void noteClicked(int index);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    void resizeToPiece();
    int keyY(int key) const;

    PieceMap m_map;
    int m_tick = -1;
    int m_lowKey = 48, m_highKey = 72;
    double m_pixelsPerTick = 0.2;
};

class PianoRollDock : public QDockWidget {
    Q_OBJECT
public:
    explicit PianoRollDock(QWidget *parent = nullptr);

    PianoRoll &roll() { return *m_roll; }
    void setMap(const PieceMap &map);
    // Moves the play line and keeps it in sight.
    void setTick(int tick);
    QString legendText() const;

private:
    PianoRoll *m_roll;
    QScrollArea *m_scroll;
    QLabel *m_legend;
};

}  // namespace vek::editor
