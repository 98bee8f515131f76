// The main frame's drum commands: 32787 (the "Drum Machine" entry of the
// menu bar) and 32785 open the drum machine, 32784 the Drumfigure dialog
// and 57703 the Drumpattern dialog. Each reads the drum library afresh
// before its dialog opens, and on OK puts the record's program text in
// place of the active view's selection.
#pragma once

#include "drums/drum_session.h"

#include <QObject>

namespace vek::editor {

class CMainFrame;
struct ProgramSettings;

class DrumCommands : public QObject {
    Q_OBJECT
public:
    // Lives as long as `frame`, which becomes its parent.
    DrumCommands(CMainFrame &frame, const ProgramSettings &settings);

    DrumSession &session() { return m_session; }

private:
    void openDrumMachine();
    void openFigure();
    void openPattern();

    CMainFrame &m_frame;
    DrumSession m_session;
};

}  // namespace vek::editor
