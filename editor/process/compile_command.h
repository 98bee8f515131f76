// Interpret: compiles the active document through the compiler library and
// shows the outcome. On an error the window of the file that holds it comes
// to the front with the offending character selected, and the message
// names its line and column (in a box, unless the settings turned it off);
// on success the status bar tells what was compiled, where it went and how
// long it took, and the listing opens when the piece asked for it. Every
// compile is also reported for the Messages pane. Load and Play run the
// same procedure first.
#pragma once

#include "app/main_frame.h"
#include "process/compile_files.h"
#include "process/piece_map.h"
#include "process/compile_report.h"
#include "process/vek_binding.h"

#include <QObject>
#include <QPointer>

namespace vek::editor {

class CPadDoc;

class CompileCommand : public QObject {
    Q_OBJECT
public:
    CompileCommand(CMainFrame &frame, const EditorContext &context, QObject *parent = nullptr);

    // The whole procedure; `forceMidi` asks for MIDI output whatever the
    // setting (internal playback). True when the library compiled the
    // document without error.
    bool run(bool forceMidi);

    // The toolbar's "extract tracks selected by the mouse" button.
    bool extractSelection() const;

    // State of the last compile, kept until the next one. Before any
    // compile, and when none took place, the result reads as failed.
    const ParseError &lastResult() const { return m_result; }
    const QString &workPath() const { return m_files.work; }
    const QString &midiPath() const { return m_files.midi; }
    // The event map of the last successful compile and the window it
    // compiled (null once closed).
    const PieceMap &lastMap() const { return m_map; }
    CPadFrame *mappedFrame() const;

    // The next run compiles from the caret's statement to the end of the
    // source instead of the selection.
    void compileFromCaretOnce() { m_fromCaret = true; }

signals:
    // A compile succeeded; lastMap() holds its map.
    void compiled();
    // Every compile, failed or not, for the messages pane.
    void reported(const vek::editor::CompileReport &report);

private:
    void tidyDocuments();
    CPadFrame *findDocument();
    void nameUntitled(CPadDoc *doc);
    void closeFrame(CPadFrame *frame);
    bool writeSource(const QByteArray &bytes);
    VekCall callFor(CPadFrame *target, bool forceMidi, const QString &searchPath) const;
    bool callLibrary(CPadFrame *target, bool forceMidi, const QString &searchPath);
    CompileReport startReport(CPadFrame *target, bool forceMidi) const;
    void showError(CPadFrame *target, const QString &searchPath, CompileReport &report);
    void showSuccess(CompileReport &report);
    void removeEmptySysex() const;

    CMainFrame &m_frame;
    EditorContext m_context;
    CompileFiles m_files;
    ParseError m_result{};
    PieceMap m_map;
    QPointer<CPadFrame> m_mappedFrame;
    bool m_fromCaret = false;
};

}  // namespace vek::editor
