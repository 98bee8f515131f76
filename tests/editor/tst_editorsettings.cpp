// EditorSettings and FontRecord: "Settings", "Font" and "PrintFont".
#include "app/editor_settings.h"
#include "editor_test_support.h"
#include "platform/profile_file.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace vek::editor;
using namespace vek::editor::test;

class TestEditorSettings : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    int m_count = 0;
    QString profilePath(const QByteArray &bytes = QByteArray()) {
        const QString path = m_dir.filePath(QStringLiteral("e%1.ini").arg(++m_count));
        if (!bytes.isNull())
            writeFile(path, bytes);
        return path;
    }
    static EditorSettings loaded(const ProfileFile &profile) {
        EditorSettings settings;
        settings.loadShowCommand(profile);
        settings.loadViewSettings(profile);
        return settings;
    }

private slots:
    void defaults() {
        const EditorSettings settings = loaded(ProfileFile(profilePath()));
        QCOMPARE(settings.showCmd.get(), 3);
        QCOMPARE(settings.tabStops.get(), 32);
        QCOMPARE(settings.wordWrap.get(), 0);
        QVERIFY(!settings.displayFont.get().isSet());
        QCOMPARE(settings.displayFont.get().charSet, 1);
        QCOMPARE(settings.displayFont.get().faceName, QStringLiteral("System"));
        QVERIFY(!settings.printerFont.get().isSet());
    }

    void fontFieldsAreReadOnlyWithAHeight_data() {
        QTest::addColumn<QByteArray>("font");
        QTest::addColumn<int>("weight");
        QTest::addColumn<QString>("face");
        QTest::newRow("no height") << QByteArray("Height=0\nWeight=700\nFaceName=Mono\n") << 0 << "System";
        QTest::newRow("height") << QByteArray("Height=-16\nWeight=700\nFaceName=Mono\n") << 700 << "Mono";
        QTest::newRow("long face name cut")
            << QByteArray("Height=-16\nFaceName=ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789\n") << 0
            << "ABCDEFGHIJKLMNOPQRSTUVWXYZ01234";
    }
    void fontFieldsAreReadOnlyWithAHeight() {
        QFETCH(QByteArray, font);
        QFETCH(int, weight);
        QFETCH(QString, face);
        const EditorSettings settings = loaded(ProfileFile(profilePath("[PrintFont]\n" + font)));
        QCOMPARE(settings.printerFont.get().weight, weight);
        QCOMPARE(settings.printerFont.get().faceName, face);
    }

    void unchangedSettingsWriteNothing() {
        const QByteArray before = "[Settings]\nTabStops=20\nShowCmd=1\n[Font]\nHeight=-15\nFaceName=Mono\n";
        const QString path = profilePath(before);
        ProfileFile profile(path);
        EditorSettings settings = loaded(profile);
        QCOMPARE(settings.save(profile), 0);
        QCOMPARE(readFile(path), before);
    }

    void changedValuesAreWrittenInOrder() {
        const QString path = profilePath();
        ProfileFile profile(path);
        EditorSettings settings = loaded(profile);
        settings.showCmd.set(1);
        settings.tabStops.set(16);
        settings.wordWrap.set(1);
        QCOMPARE(settings.save(profile), 3);
        QCOMPARE(readFile(path), QByteArray("[Settings]\nWordWrap=1\nTabStops=16\nShowCmd=1\n"));
    }

    void mirroredPrinterFontWritesOnlyTheHeight() {
        const QString path = profilePath("[PrintFont]\nHeight=-20\nWeight=400\nFaceName=Serif\n");
        ProfileFile profile(path);
        EditorSettings settings = loaded(profile);
        settings.printerFont.set(FontRecord{});
        QCOMPARE(settings.save(profile), 1);
        QCOMPARE(readFile(path), QByteArray("[PrintFont]\nHeight=0\nWeight=400\nFaceName=Serif\n"));
        QVERIFY(!loaded(ProfileFile(path)).printerFont.get().isSet());
    }

    void chosenFontRoundTrips() {
        QFont font(QStringLiteral("DejaVu Sans Mono"));
        font.setPointSize(12);
        font.setBold(true);
        font.setItalic(true);
        font.setFixedPitch(true);
        const FontRecord record = FontRecord::fromFont(font, 96);
        QCOMPARE(record.height, -16);  // 12 pt at 96 dpi
        QCOMPARE(record.weight, 700);
        QCOMPARE(record.italic, 1);
        QCOMPARE(record.pitchAndFamily & 3, 1);

        const QString path = profilePath();
        ProfileFile profile(path);
        EditorSettings settings = loaded(profile);
        settings.displayFont.set(record);
        QCOMPARE(settings.save(profile), 1);
        const FontRecord again = loaded(ProfileFile(path)).displayFont.get();
        QCOMPARE(again, record);
        const QFont shown = again.toFont(96);
        QCOMPARE(shown.family(), font.family());
        QCOMPARE(shown.pointSizeF(), 12.0);
        QVERIFY(shown.bold() && shown.italic());
    }
};

QTEST_MAIN(TestEditorSettings)
#include "tst_editorsettings.moc"
