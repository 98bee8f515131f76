// The Sound page of Program Settings, its Test button, and what playback
// says when the sound device cannot be opened.
#include "app/commands.h"
#include "app/page_setup_dlg.h"
#include "app/sound_page.h"
#include "platform/sound_setup.h"
#include "process_test_support.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

using namespace vek::editor;
using namespace vek::editor::test;

class TestSoundPage : public QObject {
    Q_OBJECT

private slots:
    void offersTheSystemsDriversAndStoresTheChoice() {
        ProgramSettings settings;
        SoundPage page(settings);
        QVERIFY(page.driverBox()->itemText(0).startsWith(QStringLiteral("automatic")));
        QCOMPARE(page.driverBox()->count(), audioDrivers().size() + 1);
        QCOMPARE(page.soundFontEdit()->text(), systemSoundFont());
        QCOMPARE(page.gainBox()->value(), kDefaultGain);
        page.driverBox()->setCurrentIndex(page.driverBox()->count() - 1);
        page.gainBox()->setValue(0.5);
        page.store(settings);
        QCOMPARE(settings.audioDriver.get(), audioDrivers().value(audioDrivers().size() - 1));
        QCOMPARE(settings.soundFont.get(), QString());  // the system's font follows the system
        QCOMPARE(settings.gainPercent.get(), 50);
    }

    void testPlaysLoudWithoutClippingOrSaysWhyNot() {
        if (!haveSystemSoundFont())
            QSKIP("no General MIDI sound font on this system");
        QTemporaryDir dir;
        MciOptions options;
        options.renderFolder = dir.path();
        Mci::instance().setOptions(options);
        ProgramSettings settings;
        SoundPage page(settings);
        page.testButton()->click();
        QTRY_VERIFY_WITH_TIMEOUT(page.testResult()->text().contains(QStringLiteral("played to its end")), 30000);
        const WavSummary wav = summariseWav(readFile(dir.filePath(QStringLiteral("soundtest.wav"))));
        QVERIFY(wav.valid);
        QVERIFY2(wav.peak > 32767 / 20 && wav.peak < 32767, qPrintable(QString::number(wav.peak)));  // -26 to 0 dBFS

        page.soundFontEdit()->setText(dir.filePath(QStringLiteral("none.sf2")));
        page.testButton()->click();
        QVERIFY(page.testResult()->text().contains(QStringLiteral("Program Settings > Sound")));
    }

    void aDeviceThatCannotOpenOffersTheSoundPage() {
        ProcessFixture f;
        f.program.soundFont.set(f.path(QStringLiteral("none.sf2")));
        applySoundSettings(f.program);
        f.open(QStringLiteral("a.vek"), "c d e\n");
        f.messages.answers << MessageAnswer::Yes;
        PromptScript prompts;
        bool onSoundPage = false;
        prompts.dialog = [&](QDialog &dialog) {
            onSoundPage = dialog.findChild<QTabWidget *>()->currentWidget() ==
                          dynamic_cast<CPageSetupDlg &>(dialog).soundPage();
            dialog.reject();
            return int(QDialog::Rejected);
        };
        f.trigger(cmd::ID_PLAY_INTERNAL);
        QTRY_COMPARE(prompts.dialogs, 1);
        QVERIFY(onSoundPage);
        QVERIFY(f.messages.messages.value(0).endsWith(QStringLiteral("Open Program Settings > Sound now?")));
    }
};

QTEST_MAIN(TestSoundPage)
#include "tst_soundpage.moc"
