// "Program Settings" (dialog 101): edits the program settings object on two
// pages, General (commands, folders, output format, the error box) and
// Sound. The controls start with the current values; OK stores them back,
// Cancel leaves every value as it was.
#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QRadioButton;
class QTabWidget;

namespace vek::editor {

struct ProgramSettings;
class SoundPage;

class CPageSetupDlg : public QDialog {
    Q_OBJECT
public:
    explicit CPageSetupDlg(ProgramSettings &settings, QWidget *parent = nullptr);

    QLineEdit *playCommandEdit() const { return m_playCommand; }            // 1008
    QLineEdit *sequencerCommandEdit() const { return m_sequencerCommand; }  // 1010
    QLineEdit *includeSearchPathEdit() const { return m_includeSearchPath; }  // 1013
    QLineEdit *documentPathEdit() const { return m_documentPath; }          // 1012
    QRadioButton *wrkButton() const { return m_wrk; }                       // 1017
    QRadioButton *midButton() const { return m_mid; }                       // 1018
    QCheckBox *errorBoxCheck() const { return m_errorBox; }
    SoundPage *soundPage() const { return m_sound; }

    void showSoundPage();

    void accept() override;

private:
    QWidget *buildCommands();
    QWidget *buildFolders();
    QWidget *buildFormat();
    QWidget *buildGeneral();

    ProgramSettings &m_settings;
    QLineEdit *m_playCommand;
    QLineEdit *m_sequencerCommand;
    QLineEdit *m_includeSearchPath;
    QLineEdit *m_documentPath;
    QRadioButton *m_wrk;
    QRadioButton *m_mid;
    QCheckBox *m_errorBox;
    SoundPage *m_sound;
    QTabWidget *m_pages;
};

}  // namespace vek::editor
