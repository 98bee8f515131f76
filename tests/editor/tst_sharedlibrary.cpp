// SharedLibrary and the compiler binding: the freshly built library is
// found beside the program, called, and unloaded after every call.
#include "editor_test_support.h"
#include "platform/shared_library.h"
#include "process/vek_binding.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QtTest>
#include <dlfcn.h>

using namespace vek::editor;
using namespace vek::editor::test;

namespace {

// Whether the library beside the test is mapped into this process.
bool libraryMapped() {
    const QString path = QDir(QCoreApplication::applicationDirPath()).filePath(vekLibraryFileName());
    void *handle = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_NOLOAD);
    if (handle)
        dlclose(handle);
    return handle != nullptr;
}

// Compiles `source` in a scratch folder through the binding.
VekOutcome compile(const QTemporaryDir &dir, const QByteArray &source) {
    QDir::setCurrent(dir.path());
    writeFile(dir.filePath(QStringLiteral("a.vtp")), source);
    VekCall call;
    call.sourcePath = "a.vtp";
    call.format = "midi";
    call.listingPath = "a.vls";
    call.includePath = "";
    return callVekmain(call);
}

}  // namespace

class TestSharedLibrary : public QObject {
    Q_OBJECT

private slots:
    void loadsFromTheProgramFolderFirst() {
        SharedLibrary library;
        QVERIFY2(library.load(vekLibraryFileName(), programLibraryFolders()), qPrintable(library.errorString()));
        QCOMPARE(library.path(), QDir(QCoreApplication::applicationDirPath()).filePath(vekLibraryFileName()));
        QVERIFY(library.resolve("Vekmain"));
        QVERIFY(!library.resolve("vekmain"));
        QVERIFY(library.unload());
        QVERIFY(!library.isLoaded());
        QVERIFY(!libraryMapped());
    }

    void missingLibraryFailsWithAReason() {
        SharedLibrary library;
        QVERIFY(!library.load(QStringLiteral("libNoSuchVekLibrary.so"), {QCoreApplication::applicationDirPath()}));
        QVERIFY(!library.isLoaded());
        QVERIFY(!library.errorString().isEmpty());
        QVERIFY(!library.resolve("Vekmain"));
        QVERIFY(library.unload());
    }

    void bindingCompilesAndFreesTheLibrary() {
        const QString previous = QDir::currentPath();
        QTemporaryDir dir;
        const VekOutcome outcome = compile(dir, "c d e\n");
        QDir::setCurrent(previous);
        QCOMPARE(outcome.status, VekOutcome::Status::Called);
        QCOMPARE(outcome.result.failed, 0);
        QVERIFY(!outcome.freeFailed);
        QVERIFY(!libraryMapped());
        QVERIFY(readFile(dir.filePath(QStringLiteral("a.mid"))).startsWith("MThd"));
    }

    void bindingCopiesTheErrorRecord() {
        const QString previous = QDir::currentPath();
        QTemporaryDir dir;
        const VekOutcome outcome = compile(dir, "c d\nxx e\n");
        QDir::setCurrent(previous);
        QCOMPARE(outcome.status, VekOutcome::Status::Called);
        QCOMPARE(outcome.result.failed, 1);
        QCOMPARE(outcome.result.hasLocation, 1);
        QCOMPARE(outcome.result.position, 5);
        QCOMPARE(resultFileName(outcome.result), QByteArray("a.vtp"));
        QCOMPARE(resultMessage(outcome.result), QStringLiteral(" Sorry, I can't figure out what \"xx\" means. "));
    }

    void textsOfTheRecordStopAtTheirFieldEnd() {
        ParseError record{};
        memset(record.message, 'm', sizeof record.message);  // no terminating NUL
        memset(record.fileName, 'f', sizeof record.fileName);
        QCOMPARE(resultMessage(record).size(), qsizetype(sizeof record.message));
        QCOMPARE(resultFileName(record).size(), qsizetype(sizeof record.fileName));
    }
};

QTEST_GUILESS_MAIN(TestSharedLibrary)
#include "tst_sharedlibrary.moc"
