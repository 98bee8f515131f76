// The Drumpattern dialog (115): four figures played together, the pattern
// seed that seeds them and the trailing crash. Opened from the menu it
// loads an entry of the library and its OK inserts the pattern program;
// opened by the drum machine it edits a copy of one of its patterns. Each
// figure can be edited in a nested Drumfigure dialog.
#pragma once

#include "drums/drum_dialog.h"
#include "drums/drum_records.h"
#include "drums/drum_seeds.h"
#include "drums/short_list.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vek::editor {

class DrumPatternDialog : public DrumDialog {
    Q_OBJECT
public:
    // `pattern` is shown when another dialog opens this one; from the menu
    // the dialog loads entry 1 of the sorted list instead.
    DrumPatternDialog(DrumSession &session, const DrumPattern &pattern, bool fromMenu,
                      QWidget *parent = nullptr);

    bool initialise() override;

    // The pattern as last collected: OK hands back (or inserts) what was
    // last played, saved or collected, not what the fields show.
    const DrumPattern &pattern() const { return m_pattern; }
    const FigureHolds &holds() const { return m_holds; }
    const ShortList<DrumPattern> &shortList() const { return m_shortList; }

private:
    void showPattern();
    // Reads the controls into the pattern and reseeds the figures that are
    // not held; false when the seed was refused.
    bool collect();

    void onNameChosen(int index);
    void onEdit(int figure);
    void onSave();
    void onPlayNew();
    void onPlayThis();
    void onReview();
    void onOk();

    QComboBox *m_name;
    std::array<QLineEdit *, 4> m_figureNames{};
    std::array<QCheckBox *, 4> m_hold{};
    QLineEdit *m_seed;
    QCheckBox *m_crash;
    QLabel *m_beat;

    DrumPattern m_pattern;
    FigureHolds m_holds{};
    ShortList<DrumPattern> m_shortList;
};

}  // namespace vek::editor
