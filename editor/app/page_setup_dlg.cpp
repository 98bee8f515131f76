#include "app/page_setup_dlg.h"

#include "app/program_settings.h"
#include "app/sound_page.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace vek::editor {

namespace {

QLineEdit *lineEdit(const char *name, const QString &value) {
    auto *edit = new QLineEdit(value);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setMinimumWidth(360);
    return edit;
}

void addLabelled(QVBoxLayout *layout, const QString &text, QLineEdit *edit) {
    auto *label = new QLabel(text);
    label->setBuddy(edit);
    layout->addWidget(label);
    layout->addWidget(edit);
}

}  // namespace

CPageSetupDlg::CPageSetupDlg(ProgramSettings &settings, QWidget *parent)
    : QDialog(parent), m_settings(settings),
      m_playCommand(lineEdit("playCommand", settings.playCommand.get())),
      m_sequencerCommand(lineEdit("sequencerCommand", settings.sequencerCommand.get())),
      m_includeSearchPath(lineEdit("includeSearchPath", settings.includeSearchPath.get())),
      m_documentPath(lineEdit("documentPath", settings.documentPath.get())),
      m_wrk(new QRadioButton(QStringLiteral(".&wrk file"))),
      m_mid(new QRadioButton(QStringLiteral(".&mid file"))),
      m_errorBox(new QCheckBox(QStringLiteral("Show compile &errors in a message box too"))),
      m_sound(new SoundPage(settings)), m_pages(new QTabWidget) {
    setWindowTitle(QStringLiteral("Program Settings"));
    m_wrk->setObjectName(QStringLiteral("wrkFormat"));
    m_mid->setObjectName(QStringLiteral("midFormat"));
    m_wrk->setChecked(settings.outputFormat.get() == 0);
    m_mid->setChecked(settings.outputFormat.get() == 1);
    m_errorBox->setObjectName(QStringLiteral("errorBox"));
    m_errorBox->setChecked(settings.errorBox.get() != 0);
    m_errorBox->setToolTip(QStringLiteral("Errors always appear in the Messages pane"));
    m_pages->addTab(buildGeneral(), QStringLiteral("&General"));
    m_pages->addTab(m_sound, QStringLiteral("S&ound"));

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &CPageSetupDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    layout->addWidget(buttons);
}

QWidget *CPageSetupDlg::buildGeneral() {
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(buildCommands());
    layout->addWidget(buildFolders());
    layout->addWidget(buildFormat());
    layout->addWidget(m_errorBox);
    return page;
}

void CPageSetupDlg::showSoundPage() { m_pages->setCurrentWidget(m_sound); }

QWidget *CPageSetupDlg::buildCommands() {
    auto *box = new QGroupBox(QStringLiteral("Sequencer"));
    auto *layout = new QVBoxLayout(box);
    addLabelled(layout, QStringLiteral("Sequencer &play command :"), m_playCommand);
    addLabelled(layout, QStringLiteral("Sequencer &startup command:"), m_sequencerCommand);
    return box;
}

QWidget *CPageSetupDlg::buildFolders() {
    auto *box = new QGroupBox(QStringLiteral("Folders"));
    auto *layout = new QVBoxLayout(box);
    addLabelled(layout,
                QStringLiteral("Search &path--where the interpreter should search for included files:"),
                m_includeSearchPath);
    auto *hint = new QLabel(QStringLiteral("(Directories separated by semicolons)"));
    hint->setEnabled(false);
    layout->addWidget(hint);
    addLabelled(layout, QStringLiteral("Vek &Document Directory"), m_documentPath);
    return box;
}

QWidget *CPageSetupDlg::buildFormat() {
    auto *box = new QGroupBox(QStringLiteral("Output File Format:"));
    auto *layout = new QHBoxLayout(box);
    layout->addWidget(m_wrk);
    layout->addWidget(m_mid);
    layout->addStretch();
    return box;
}

void CPageSetupDlg::accept() {
    m_settings.playCommand.set(m_playCommand->text());
    m_settings.sequencerCommand.set(m_sequencerCommand->text());
    m_settings.includeSearchPath.set(m_includeSearchPath->text());
    m_settings.documentPath.set(m_documentPath->text());
    // With neither button checked (a value other than 0 or 1 was loaded)
    // the format stays as it is.
    if (m_wrk->isChecked())
        m_settings.outputFormat.set(0);
    else if (m_mid->isChecked())
        m_settings.outputFormat.set(1);
    m_settings.errorBox.set(m_errorBox->isChecked() ? 1 : 0);
    m_sound->store(m_settings);
    QDialog::accept();
}

}  // namespace vek::editor
