// Printing with headers and footers, checked in PDF output through pdftotext.
#include "platform/pad_printer.h"
#include "platform/page_text.h"

#include <QFileInfo>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace vek::editor;

namespace {

// The text of pages `first` to `last` of a PDF file, empty when pdftotext
// is missing.
QString pdfText(const QString &pdf, int first, int last) {
    QProcess process;
    process.start(QStringLiteral(VEK_PDFTOTEXT),
                  {"-layout", "-f", QString::number(first), "-l", QString::number(last), pdf, "-"});
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

int pdfPages(const QString &pdf) {
    int pages = 0;
    while (!pdfText(pdf, pages + 1, pages + 1).trimmed().isEmpty() && pages < 100)
        ++pages;
    return pages;
}

PrintJob sampleJob(int lines) {
    PrintJob job;
    QStringList text;
    for (int i = 1; i <= lines; ++i)
        text << QStringLiteral("line %1 c d e").arg(i);
    job.text = text.join('\n');
    job.font = QFont(QStringLiteral("DejaVu Sans Mono"), 10);
    job.header = QStringLiteral("File: &f");
    job.footer = QStringLiteral("Page: &p");
    job.pathOrTitle = QStringLiteral("/music/minuet.vek");
    job.fileTime = QDateTime(QDate(2001, 2, 3), QTime(4, 5, 6));
    job.printTime = QDateTime(QDate(2024, 7, 8), QTime(9, 10, 11));
    return job;
}

}  // namespace

class TestPadPrinter : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    int m_count = 0;

    QString print(const PrintJob &job, int from = 0, int to = 0, int *pages = nullptr) {
        const QString pdf = m_dir.filePath(QStringLiteral("out%1.pdf").arg(++m_count));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setPageSize(QPageSize(QPageSize::A4));
        if (from > 0)
            printer.setFromTo(from, to);
        const int count = printDocument(printer, job);
        if (pages)
            *pages = count;
        return pdf;
    }

private slots:
    void initTestCase() {
        if (!QFileInfo(QStringLiteral(VEK_PDFTOTEXT)).isExecutable())
            QSKIP("pdftotext is not installed");
    }

    void pageText_data() {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("expected");
        QTest::newRow("file") << "File: &f" << 1 << "/a/b.vek" << "File: /a/b.vek";
        QTest::newRow("page") << "Page: &p" << 12 << "/a/b.vek" << "Page: 12";
        QTest::newRow("first marker only") << "&p of &p, &f &f" << 3 << "x" << "3 of &p, x &f";
        QTest::newRow("time format") << "%Y-%m-%d &f" << 1 << "t" << "2024-07-08 t";
        QTest::newRow("percent in the path") << "&f" << 1 << "/a/100%d.vek" << "/a/100%d.vek";
        QTest::newRow("empty") << "" << 1 << "x" << "";
        QTest::newRow("long path") << "File: &f" << 1 << QString(300, 'p') << "File: " + QString(300, 'p');
    }
    void pageText() {
        QFETCH(QString, pattern);
        QFETCH(int, page);
        QFETCH(QString, path);
        QFETCH(QString, expected);
        QCOMPARE(expandPageText(pattern, page, path, QDateTime(QDate(2024, 7, 8), QTime(9, 0))), expected);
    }

    void pageTextTime_data() {
        QTest::addColumn<int>("flag");
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("printTime");
        QTest::newRow("file time") << 0 << "/a/b.vek" << false;
        QTest::newRow("flag set") << 1 << "/a/b.vek" << true;
        QTest::newRow("no dot in the path") << 0 << "NoName1" << true;
    }
    void pageTextTime() {
        QFETCH(int, flag);
        QFETCH(QString, path);
        QFETCH(bool, printTime);
        const QDateTime file(QDate(2001, 1, 1), QTime(1, 0)), now(QDate(2024, 1, 1), QTime(1, 0));
        QCOMPARE(vek::editor::pageTextTime(flag, path, file, now), printTime ? now : file);
    }

    void everyPageHasItsHeaderAndFooter() {
        int pages = 0;
        const QString pdf = print(sampleJob(150), 0, 0, &pages);
        QVERIFY(pages >= 2);
        QCOMPARE(pdfPages(pdf), pages);
        const QString first = pdfText(pdf, 1, 1);
        QVERIFY2(first.contains(QStringLiteral("File: /music/minuet.vek")), qPrintable(first));
        QVERIFY(first.contains(QStringLiteral("Page: 1")));
        QVERIFY(first.indexOf(QStringLiteral("File:")) < first.indexOf(QStringLiteral("line 1 ")));
        QVERIFY(first.indexOf(QStringLiteral("line 1 ")) < first.indexOf(QStringLiteral("Page: 1")));
        const QString second = pdfText(pdf, 2, 2);
        QVERIFY(second.contains(QStringLiteral("File: /music/minuet.vek")));
        QVERIFY(second.contains(QStringLiteral("Page: 2")));
        QVERIFY(!second.contains(QStringLiteral("line 1 c")));
        QVERIFY(pdfText(pdf, 1, pages).contains(QStringLiteral("line 150 c d e")));
    }

    void headerTimesFollowTheirFlags() {
        PrintJob job = sampleJob(3);
        job.header = QStringLiteral("Saved %Y &f");
        job.footer = QStringLiteral("Printed %Y page &p");
        job.footerTime = 1;
        const QString text = pdfText(print(job), 1, 1);
        QVERIFY2(text.contains(QStringLiteral("Saved 2001 /music/minuet.vek")), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("Printed 2024 page 1")));
    }

    void emptyHeaderAndFooterPrintOnlyText() {
        PrintJob job = sampleJob(2);
        job.header.clear();
        job.footer.clear();
        const QString text = pdfText(print(job), 1, 1);
        QVERIFY(text.contains(QStringLiteral("line 1 c d e")));
        QVERIFY(!text.contains(QStringLiteral("File:")));
        QVERIFY(!text.contains(QStringLiteral("Page:")));
    }

    void pageRangePrintsOnlyThosePages() {
        const QString pdf = print(sampleJob(150), 2, 2);
        QCOMPARE(pdfPages(pdf), 1);
        QVERIFY(pdfText(pdf, 1, 1).contains(QStringLiteral("Page: 2")));
    }

    void longLinesWrap() {
        PrintJob job = sampleJob(0);
        job.text = QString(QStringLiteral("abcdefghij ")).repeated(60) + QStringLiteral("END");
        const QString text = pdfText(print(job), 1, 1);
        QVERIFY(text.contains(QStringLiteral("END")));
    }
};

QTEST_MAIN(TestPadPrinter)
#include "tst_padprinter.moc"
