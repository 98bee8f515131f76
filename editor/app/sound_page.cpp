#include "app/sound_page.h"

#include "app/program_settings.h"
#include "app/test_phrase.h"
#include "platform/sound_setup.h"

#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

namespace vek::editor {

namespace {

const QString kClose = QStringLiteral("close soundtest");

QString phrasePath() { return QDir::temp().filePath(QStringLiteral("vekedit-sound-test.mid")); }

}  // namespace

MciOptions soundOptions(const ProgramSettings &settings, MciOptions base) {
    base.soundFont = settings.soundFont.get();
    base.audioDriver = settings.audioDriver.get();
    base.gain = std::clamp(settings.gainPercent.get() / 100.0, 0.0, kMaximumGain);
    return base;
}

void applySoundSettings(const ProgramSettings &settings) {
    Mci &mci = Mci::instance();
    mci.setOptions(soundOptions(settings, mci.options()));
}

SoundPage::SoundPage(const ProgramSettings &settings, QWidget *parent)
    : QWidget(parent), m_driver(new QComboBox), m_soundFont(new QLineEdit), m_gain(new QDoubleSpinBox),
      m_test(new QPushButton(QStringLiteral("&Test"))), m_result(new QLabel) {
    const QString automatic = automaticAudioDriver();
    m_driver->setObjectName(QStringLiteral("audioDriver"));
    m_driver->addItem(automatic.isEmpty() ? QStringLiteral("automatic")
                                          : QStringLiteral("automatic (%1)").arg(automatic));
    m_driver->addItems(audioDrivers());
    const QString driver = settings.audioDriver.get();
    if (!driver.isEmpty() && m_driver->findText(driver) < 0)
        m_driver->addItem(driver);  // a driver this system lacks stays visible, and chosen
    m_driver->setCurrentIndex(driver.isEmpty() ? 0 : m_driver->findText(driver));

    m_soundFont->setObjectName(QStringLiteral("soundFont"));
    m_soundFont->setText(settings.soundFont.get().isEmpty() ? systemSoundFont() : settings.soundFont.get());
    m_soundFont->setMinimumWidth(320);
    auto *browse = new QPushButton(QStringLiteral("&Browse..."));
    connect(browse, &QPushButton::clicked, this, &SoundPage::browseSoundFont);

    m_gain->setObjectName(QStringLiteral("gain"));
    m_gain->setRange(0.0, kMaximumGain);
    m_gain->setSingleStep(0.1);
    m_gain->setDecimals(2);
    m_gain->setValue(settings.gainPercent.get() / 100.0);

    m_test->setObjectName(QStringLiteral("soundTest"));
    m_result->setObjectName(QStringLiteral("soundTestResult"));
    m_result->setWordWrap(true);
    connect(m_test, &QPushButton::clicked, this, &SoundPage::runTest);

    auto *fontRow = new QHBoxLayout;
    fontRow->addWidget(m_soundFont, 1);
    fontRow->addWidget(browse);
    auto *form = new QFormLayout(this);
    form->addRow(QStringLiteral("Audio &driver:"), m_driver);
    auto *fontLabel = new QLabel(QStringLiteral("Sound &font:"));
    fontLabel->setBuddy(m_soundFont);  // a row of two widgets gives its label no buddy
    form->addRow(fontLabel, fontRow);
    form->addRow(QStringLiteral("&Gain:"), m_gain);
    form->addRow(m_test, m_result);
}

SoundPage::~SoundPage() {
    Mci::instance().sendString(kClose);
    QFile::remove(phrasePath());
}

QString SoundPage::chosenDriver() const {
    return m_driver->currentIndex() <= 0 ? QString() : m_driver->currentText();
}

void SoundPage::store(ProgramSettings &settings) const {
    settings.audioDriver.set(chosenDriver());
    // The system's font is kept as "none named", so that it follows the system.
    const QString font = m_soundFont->text().trimmed();
    settings.soundFont.set(font == systemSoundFont() ? QString() : font);
    settings.gainPercent.set(int(qRound(m_gain->value() * 100)));
}

void SoundPage::browseSoundFont() {
    const QString chosen = QFileDialog::getOpenFileName(
        this, QStringLiteral("Sound Font"), QFileInfo(m_soundFont->text()).absolutePath(),
        QStringLiteral("Sound Fonts (*.sf2 *.sf3);;All Files (*)"));
    if (!chosen.isEmpty())
        m_soundFont->setText(chosen);
}

QString SoundPage::describeOutput() const {
    const QString driver = chosenDriver().isEmpty() ? m_driver->itemText(0) : chosenDriver();
    return QStringLiteral("the audio driver %1 with the sound font %2")
        .arg(driver, QFileInfo(m_soundFont->text()).fileName());
}

void SoundPage::runTest() {
    Mci &mci = Mci::instance();
    mci.sendString(kClose);
    QFile phrase(phrasePath());
    if (!phrase.open(QIODevice::WriteOnly | QIODevice::Truncate) || phrase.write(testPhraseMidi()) < 0) {
        m_result->setText(QStringLiteral("The test phrase could not be written to %1.")
                              .arg(QDir::toNativeSeparators(phrase.fileName())));
        return;
    }
    phrase.close();
    // The values on the page, not yet stored: the test tries what OK would keep.
    ProgramSettings trial;
    store(trial);
    const MciOptions kept = mci.options();
    mci.setOptions(soundOptions(trial, kept));
    const int opened = mci.sendString(QStringLiteral("open \"%1\" type sequencer alias soundtest").arg(phrase.fileName()));
    mci.setOptions(kept);
    const int played = opened == kMciOk ? mci.sendString(QStringLiteral("play soundtest notify"), this) : opened;
    if (played != kMciOk) {
        mci.sendString(kClose);
        m_result->setText(QStringLiteral("No sound: %1").arg(Mci::errorString(played)));
        return;
    }
    m_result->setText(QStringLiteral("Playing a short phrase through %1...").arg(describeOutput()));
}

bool SoundPage::event(QEvent *event) {
    if (event->type() != MciNotifyEvent::eventType())
        return QWidget::event(event);
    const auto *notice = static_cast<MciNotifyEvent *>(event);
    if (notice->code() == MciNotify::Successful)
        m_result->setText(QStringLiteral("The phrase played to its end through %1. Heard nothing? Check the "
                                         "volume, or choose another audio driver.")
                              .arg(describeOutput()));
    else if (notice->code() == MciNotify::Failure)
        m_result->setText(QStringLiteral("The sound device stopped in the middle of the phrase."));
    Mci::instance().sendString(kClose);
    return true;
}

}  // namespace vek::editor
