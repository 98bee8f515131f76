// The row of steps of a drum figure: 12 triplet steps or 16 sixteenths of
// a bar, grouped by beats, each filled as far as its frequency makes a hit
// likely and labelled with the frequency field that feeds it.
#pragma once

#include "drums/drum_records.h"

#include <QList>
#include <QWidget>

namespace vek::editor {

// For each step of a bar, the index (0-15) of the frequency it plays:
// 16 beat steps 0-15 in order; 12 beat the cell f0-f5 twice, with f6 and
// f7 in the last two steps (the layout of _freq8_ in builtins.vek). Empty
// for another beat mode.
QList<int> stepFrequencyIndexes(int beatMode);

// How likely a step of frequency `frequency` (0-999) plays: f / (f + 3),
// 999 always.
double hitChance(int frequency);

class StepPicture : public QWidget {
    Q_OBJECT
public:
    explicit StepPicture(QWidget *parent = nullptr);

    void setFigure(const std::array<int, kFrequencies> &frequencies, int beatMode);
    int steps() const { return int(m_indexes.size()); }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::array<int, kFrequencies> m_frequencies{};
    QList<int> m_indexes;
    int m_stepsPerBeat = 4;
};

}  // namespace vek::editor
