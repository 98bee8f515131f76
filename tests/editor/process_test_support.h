// Helpers of the compile and playback tests: a main frame with the Process
// commands over a scratch document folder, offline rendering of the
// internal player, and readers for the files the player writes.
#pragma once

#include "app/document_folder.h"
#include "app/editor_settings.h"
#include "app/main_frame.h"
#include "app/pad_doc.h"
#include "app/pad_frame.h"
#include "app/program_settings.h"
#include "app/recent_files.h"
#include "editor_test_support.h"
#include "platform/mci.h"
#include "platform/profile_file.h"
#include "process/process_commands.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <memory>

namespace vek::editor::test {

// The sound font the internal player uses when the settings name none.
inline bool haveSystemSoundFont() { return QFileInfo::exists(QStringLiteral("/usr/share/sounds/sf2/default-GM.sf2")); }

// A main frame with the Process commands wired, its document folder a
// scratch folder; the internal player renders into render/ there. Messages
// are recorded, never shown.
struct ProcessFixture {
    MessageRecorder messages;
    QTemporaryDir dir;
    QString previousFolder = QDir::currentPath();
    ProfileFile profile{dir.filePath(QStringLiteral("vekedit.ini"))};
    EditorSettings editor;
    ProgramSettings program;
    RecentFiles recent;
    std::unique_ptr<CMainFrame> frame;
    ProcessCommands *process = nullptr;

    ProcessFixture() {
        program.load(profile);
        program.documentPath.set(dir.path());
        program.outputFormat.set(1);
        editor.loadShowCommand(profile);
        editor.loadViewSettings(profile);
        recent.load(profile);
        QDir(dir.path()).mkpath(QStringLiteral("Include"));
        QDir(dir.path()).mkpath(QStringLiteral("render"));
        MciOptions options;
        options.renderFolder = dir.filePath(QStringLiteral("render"));
        Mci::instance().setOptions(options);
        const EditorContext context{&profile, &editor, &program, &recent, dir.path(), installedDataDir(dir.path())};
        frame = std::make_unique<CMainFrame>(context);
        process = new ProcessCommands(*frame, context);
        frame->show();
    }
    ~ProcessFixture() {
        frame.reset();
        Mci::instance().closeAll();
        QDir::setCurrent(previousFolder);
    }
    ProcessFixture(const ProcessFixture &) = delete;
    ProcessFixture &operator=(const ProcessFixture &) = delete;

    QString path(const QString &name) const { return dir.filePath(name); }
    QString file(const QString &name, const QByteArray &bytes) const {
        const QString at = path(name);
        QDir().mkpath(QFileInfo(at).absolutePath());
        writeFile(at, bytes);
        return at;
    }
    CPadFrame *open(const QString &name, const QByteArray &bytes) { return frame->openDocument(file(name, bytes)); }
    void trigger(int id) { frame->action(id)->trigger(); }
    bool exists(const QString &name) const { return QFileInfo::exists(path(name)); }
    QString renderFile() const { return path(QStringLiteral("render/myfile.wav")); }
};

// What a WAV file of 16-bit samples holds.
struct WavSummary {
    bool valid = false;
    double seconds = 0;
    int peak = 0;  // largest sample magnitude, of 32767
};

// The unsigned little-endian number of `width` bytes at `at`.
inline quint32 littleEndian(const QByteArray &bytes, qsizetype at, int width) {
    quint32 value = 0;
    for (int i = width - 1; i >= 0; --i)
        value = (value << 8) | quint8(bytes[at + i]);
    return value;
}

inline WavSummary summariseWav(const QByteArray &bytes) {
    WavSummary summary;
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
        return summary;
    quint32 channels = 0, rate = 0, bits = 0;
    for (qsizetype at = 12; at + 8 <= bytes.size();) {
        const QByteArray id = bytes.mid(at, 4);
        const qsizetype size = littleEndian(bytes, at + 4, 4);
        const qsizetype body = at + 8;
        if (id == "fmt " && size >= 16 && body + 16 <= bytes.size()) {
            channels = littleEndian(bytes, body + 2, 2);
            rate = littleEndian(bytes, body + 4, 4);
            bits = littleEndian(bytes, body + 14, 2);
        } else if (id == "data" && channels > 0 && rate > 0 && bits == 16) {
            const qsizetype samples = std::min(size, bytes.size() - body) / 2;
            for (qsizetype i = 0; i < samples; ++i)
                summary.peak = std::max(summary.peak, std::abs(int(qint16(littleEndian(bytes, body + 2 * i, 2)))));
            summary.seconds = double(samples) / channels / rate;
            summary.valid = true;
        }
        at = body + size + (size & 1);
    }
    return summary;
}

}  // namespace vek::editor::test
