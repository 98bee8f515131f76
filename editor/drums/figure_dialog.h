// The Drumfigure dialog (116): one instrument over a row of step
// frequencies, with its seed and beat mode. Opened from the menu it loads
// an entry of the library and its OK inserts the figure program; opened by
// the Drumpattern dialog it edits a copy of one of its figures.
#pragma once

#include "drums/drum_dialog.h"
#include "drums/drum_records.h"
#include "drums/short_list.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace vek::editor {

class StepPicture;

class DrumFigureDialog : public DrumDialog {
    Q_OBJECT
public:
    // `figure` is shown when another dialog opens this one; from the menu
    // the dialog loads entry 5 of the sorted list instead.
    DrumFigureDialog(DrumSession &session, const DrumFigure &figure, bool fromMenu,
                     QWidget *parent = nullptr);

    bool initialise() override;

    // The figure as last collected.
    const DrumFigure &figure() const { return m_figure; }
    const ShortList<DrumFigure> &shortList() const { return m_shortList; }

private:
    QLayout *buildFields();
    QLayout *buildFrequencies();
    void connectControls();

    void showFigure();
    void showBeatMode(int beatMode);
    void redrawSteps();
    // Reads the controls into the figure; false when a field was refused.
    bool collect();

    void onNameChosen(int index);
    void onSave();
    void onPlayNew();
    void onPlayThis();
    void onReview();
    void onOk();

    QComboBox *m_name;
    QComboBox *m_instrument;
    std::array<QLineEdit *, kFrequencies> m_frequencies{};
    QLineEdit *m_seed;
    QRadioButton *m_twelve;
    QRadioButton *m_sixteen;
    QWidget *m_secondColumn = nullptr;
    StepPicture *m_picture;

    int m_beatView = kTwelveBeat;  // the beat mode the controls show
    DrumFigure m_figure;
    ShortList<DrumFigure> m_shortList;
};

}  // namespace vek::editor
