#include "drums/drum_commands.h"

#include "app/commands.h"
#include "app/insert_text.h"
#include "app/main_frame.h"
#include "drums/drum_machine_dialog.h"
#include "drums/figure_dialog.h"
#include "drums/pattern_dialog.h"

namespace vek::editor {

using namespace cmd;

DrumCommands::DrumCommands(CMainFrame &frame, const ProgramSettings &settings)
    : QObject(&frame), m_frame(frame), m_session(settings) {
    frame.wireCommand(ID_DRUM_MACHINE, [this] { openDrumMachine(); });
    frame.wireCommand(ID_INSERT_DRUM_PART, [this] { openDrumMachine(); });
    frame.wireCommand(ID_INSERT_DRUMFIGURE, [this] { openFigure(); });
    frame.wireCommand(ID_INSERT_DRUMPATTERN, [this] { openPattern(); });
}

void DrumCommands::openDrumMachine() {
    m_session.openLibrary();
    DrumMachineDialog dialog(m_session, &m_frame);
    if (dialog.run() != QDialog::Accepted)
        return;
    DrumPart part = dialog.part();
    insertIntoActiveView(m_frame, partProgram(part, m_session.instruments()));
}

void DrumCommands::openFigure() {
    m_session.openLibrary();
    DrumFigureDialog dialog(m_session, DrumFigure{}, true, &m_frame);
    if (dialog.run() != QDialog::Accepted)
        return;
    const DrumFigure &figure = dialog.figure();
    const QString instrument = m_session.library().instrumentText(figure.instrument);
    insertIntoActiveView(m_frame, insertedFigureProgram(figure, instrument, m_session.tempo()));
}

void DrumCommands::openPattern() {
    m_session.openLibrary();
    DrumPatternDialog dialog(m_session, DrumPattern{}, true, &m_frame);
    if (dialog.run() == QDialog::Accepted)
        insertIntoActiveView(m_frame, patternProgram(dialog.pattern(), m_session.instruments(), m_session.tempo()));
}

}  // namespace vek::editor
