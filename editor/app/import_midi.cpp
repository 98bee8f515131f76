#include "app/import_midi.h"

#include "app/app_message.h"
#include "app/main_frame.h"
#include "app/pad_doc.h"
#include "app/pad_frame.h"
#include "app/pad_view.h"
#include "app/prompts.h"
#include "import/midi_import.h"

#include <QFileInfo>

namespace vek::editor {

QByteArray importedMidiText(const QString &path, QString &error) {
    import::ImportOptions options;
    options.sourceName = QFileInfo(path).fileName().toStdString();
    try {
        const std::string text = import::importMidi(midi::readSmfFile(path.toStdString()), options);
        return QByteArray::fromStdString(text);
    } catch (const midi::SmfError &e) {
        error = QFileInfo(path).fileName() + QStringLiteral(": ") + QString::fromStdString(e.what());
        return {};
    }
}

void importMidiFile(CMainFrame &frame, const QString &folder) {
    const QStringList names =
        promptOpenFileNames(&frame, folder, QStringLiteral("MIDI Files (*.mid *.midi);;All Files (*)"));
    if (names.isEmpty())
        return;
    QString error;
    const QByteArray text = importedMidiText(names.first(), error);
    if (!error.isEmpty()) {
        appMessage(error, MessageButtons::Ok, MessageIcon::Error);
        return;
    }
    CPadFrame *opened = frame.newDocument();
    opened->view()->setPlainText(decodeBytes(text).text);
    opened->doc()->setModified(true);
}

}  // namespace vek::editor
