// Helpers of the drum dialog tests: a drum session over a scratch document
// folder that holds the shipped Drum.ini, with the audition replaced by a
// recorder, and short ways to reach a dialog's controls by their ids.
#pragma once

#include "app/document_folder.h"
#include "app/program_settings.h"
#include "drums/drum_session.h"
#include "editor_test_support.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>

namespace vek::editor::test {

struct DrumFixture {
    MessageRecorder messages;
    PromptScript prompts;
    QTemporaryDir dir;
    ProgramSettings program;
    DrumSession session{program};
    QStringList played;  // program texts, in the order heard
    int stops = 0;       // times the audition was ended

    DrumFixture() {
        program.documentPath.set(dir.path());
        prepareDocumentFolder(dir.path(), installedDataDir(QCoreApplication::applicationDirPath()));
        DrumSession::Player player;
        player.play = [this](const QByteArray &text, QObject *) { played << QString::fromUtf8(text); };
        player.stop = [this] { ++stops; };
        session.setPlayer(std::move(player));
    }

    // Replaces the library with `bytes` (nothing at all when null).
    void library(const QByteArray &bytes) {
        const QString path = program.drumLibraryPath();
        QFile::remove(path);
        if (!bytes.isNull())
            writeFile(path, bytes);
        session.openLibrary();
    }
};

template <typename T>
T *control(const QWidget &dialog, int id) {
    T *found = dialog.findChild<T *>(QString::number(id));
    if (!found)
        qFatal("no control %d", id);
    return found;
}

inline void click(const QWidget &dialog, int id) { control<QAbstractButton>(dialog, id)->click(); }
inline void type(const QWidget &dialog, int id, const QString &text) { control<QLineEdit>(dialog, id)->setText(text); }
inline QString text(const QWidget &dialog, int id) { return control<QLineEdit>(dialog, id)->text(); }
inline bool checked(const QWidget &dialog, int id) { return control<QAbstractButton>(dialog, id)->isChecked(); }
inline QString comboText(const QWidget &dialog, int id) { return control<QComboBox>(dialog, id)->currentText(); }

}  // namespace vek::editor::test
