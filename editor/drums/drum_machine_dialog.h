// The Drum Machine dialog (121): a drum part made of patterns A and B
// repeated, a break pattern X, a total length, an ending, a seed and a
// tempo. Opened from the menu only; its OK inserts the drum part program.
// Each pattern can be edited in a nested Drumpattern dialog. Closing the
// dialog in any way ends the audition that is still playing.
#pragma once

#include "drums/drum_dialog.h"
#include "drums/drum_records.h"
#include "drums/drum_seeds.h"
#include "drums/short_list.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace vek::editor {

class DrumMachineDialog : public DrumDialog {
    Q_OBJECT
public:
    explicit DrumMachineDialog(DrumSession &session, QWidget *parent = nullptr);

    // Loads entry 1 of the sorted list (nothing when the list is shorter)
    // and mixes the clock into the session's random numbers.
    bool initialise() override;

    // The drum part as last collected.
    const DrumPart &part() const { return m_part; }
    const PatternHolds &holds() const { return m_holds; }
    const ShortList<DrumPart> &shortList() const { return m_shortList; }

    void reject() override;

private:
    QLayout *buildNumbers();

    // Also makes the part's tempo the session's drum tempo.
    void showPart();
    // Reads the controls into the part, sets the drum tempo and reseeds the
    // patterns that are not held; false when a field was refused.
    bool collect();
    DrumPattern &pattern(int index);

    void onNameChosen(int index);
    void onEdit(int index);
    void onSave();
    void onPlayNew();
    void onPlayThis();
    void onReview();
    void onOk();

    QComboBox *m_name;
    std::array<QLineEdit *, 3> m_patternNames{};  // A, B, X
    std::array<QCheckBox *, 3> m_hold{};
    QLineEdit *m_repeatsA, *m_repeatsB, *m_breakEvery, *m_total, *m_seed, *m_tempo;
    QCheckBox *m_ending;

    DrumPart m_part;
    PatternHolds m_holds{};
    ShortList<DrumPart> m_shortList;
};

}  // namespace vek::editor
