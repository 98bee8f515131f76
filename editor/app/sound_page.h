// The Sound page of Program Settings: the audio driver, the sound font and
// the gain of the internal player, and a Test button that plays a short
// phrase with the values on the page and says in words what happened.
#pragma once

#include "platform/mci.h"

#include <QWidget>

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vek::editor {

struct ProgramSettings;

// The player options that `settings` asks for, over `base` (which keeps
// its render folder).
MciOptions soundOptions(const ProgramSettings &settings, MciOptions base);
// Gives the sound settings to the player; devices opened later use them.
void applySoundSettings(const ProgramSettings &settings);

class SoundPage : public QWidget {
    Q_OBJECT
public:
    explicit SoundPage(const ProgramSettings &settings, QWidget *parent = nullptr);
    ~SoundPage() override;

    void store(ProgramSettings &settings) const;

    QComboBox *driverBox() const { return m_driver; }  // item 0: automatic
    QLineEdit *soundFontEdit() const { return m_soundFont; }
    QDoubleSpinBox *gainBox() const { return m_gain; }
    QPushButton *testButton() const { return m_test; }
    QLabel *testResult() const { return m_result; }

    // Plays the test phrase; the result label follows what happens.
    void runTest();

protected:
    bool event(QEvent *event) override;

private:
    QString chosenDriver() const;
    QString describeOutput() const;
    void browseSoundFont();

    QComboBox *m_driver;
    QLineEdit *m_soundFont;
    QDoubleSpinBox *m_gain;
    QPushButton *m_test;
    QLabel *m_result;
};

}  // namespace vek::editor
