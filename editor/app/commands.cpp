#include "app/commands.h"

namespace vek::editor::cmd {

namespace {

QKeySequence key(int combination) { return QKeySequence(combination); }

QList<Command> buildTable() {
    using K = Qt::Key;
    const int ctrl = Qt::CTRL, shift = Qt::SHIFT, alt = Qt::ALT;
    return {
        {ID_FILE_NEW, "ID_FILE_NEW", "&New\tCtrl+N", "Create a new document\nNew", {key(ctrl | K::Key_N)}},
        {ID_FILE_OPEN, "ID_FILE_OPEN", "&Open...\tCtrl+O", "Open an existing document\nOpen",
         {key(ctrl | K::Key_O)}},
        {ID_FILE_IMPORT_MIDI, "ID_FILE_IMPORT_MIDI", "&Import MIDI...",
         "Turn a Standard MIDI File into a new Vek document\nImport MIDI", {}},
        {ID_FILE_CLOSE, "ID_FILE_CLOSE", "&Close", "Close the active document\nClose", {}},
        {ID_FILE_SAVE, "ID_FILE_SAVE", "&Save\tCtrl+S", "Save the active document\nSave",
         {key(ctrl | K::Key_S)}},
        {ID_FILE_SAVE_AS, "ID_FILE_SAVE_AS", "Save &As...",
         "Save the active document with a new name\nSave As", {}},
        {ID_FILE_PRINT, "ID_FILE_PRINT", "&Print...\tCtrl+P", "Print the active document\nPrint",
         {key(ctrl | K::Key_P)}},
        {ID_FILE_PRINT_PREVIEW, "ID_FILE_PRINT_PREVIEW", "Print Pre&view", "Display full pages\nPrint Preview", {}},
        {ID_FILE_PRINT_SETUP, "ID_FILE_PRINT_SETUP", "P&rint Setup...",
         "Change the printer and printing options\nPrint Setup", {}},
        {ID_FILE_PROGRAM_SETTINGS, "ID_FILE_PROGRAM_SETTINGS", "Program Se&ttings...",
         "Set the document folder, the output format and the player commands\nProgram Settings", {}},
        {ID_APP_EXIT, "ID_APP_EXIT", "E&xit\tAlt+F4", "Quit the application; prompts to save documents\nExit", {}},

        {ID_EDIT_UNDO, "ID_EDIT_UNDO", "&Undo\tCtrl+Z", "Undo the last action\nUndo",
         {key(ctrl | K::Key_Z), key(alt | K::Key_Backspace)}},
        {ID_EDIT_CUT, "ID_EDIT_CUT", "Cu&t\tCtrl+X", "Cut the selection and put it on the Clipboard\nCut",
         {key(ctrl | K::Key_X), key(shift | K::Key_Delete)}},
        {ID_EDIT_COPY, "ID_EDIT_COPY", "&Copy\tCtrl+C", "Copy the selection and put it on the Clipboard\nCopy",
         {key(ctrl | K::Key_C), key(ctrl | K::Key_Insert)}},
        {ID_EDIT_PASTE, "ID_EDIT_PASTE", "&Paste\tCtrl+V", "Insert Clipboard contents\nPaste",
         {key(ctrl | K::Key_V), key(shift | K::Key_Insert)}},
        // The edit control handles the Delete key itself; the menu only shows it.
        {ID_EDIT_CLEAR, "ID_EDIT_CLEAR", "&Delete\tDel", "Erase the selection\nErase", {}},
        {ID_EDIT_FIND, "ID_EDIT_FIND", "&Find...\tCtrl+F", "Find the specified text\nFind", {key(ctrl | K::Key_F)}},
        {ID_EDIT_REPEAT, "ID_EDIT_REPEAT", "Find &Next\tF3", "Find the next occurrence of the specified text\nFind Next",
         {key(K::Key_F3)}},
        {ID_EDIT_REPLACE, "ID_EDIT_REPLACE", "&Replace...", "Replace specific text with different text\nReplace", {}},
        {ID_EDIT_SELECT_ALL, "ID_EDIT_SELECT_ALL", "Select &All", "Select the entire document\nSelect All", {}},
        {ID_EDIT_WORD_WRAP, "ID_EDIT_WORD_WRAP", "&Word Wrap", "Wrap long lines at the window's edge\nWord Wrap", {}},

        {ID_VIEW_TOOLBAR, "ID_VIEW_TOOLBAR", "&Toolbar", "Show or hide the toolbar\nToggle Toolbar", {}},
        {ID_VIEW_STATUS_BAR, "ID_VIEW_STATUS_BAR", "&Status Bar", "Show or hide the status bar\nToggle Status Bar", {}},
        {ID_VIEW_SET_TAB_STOPS, "ID_VIEW_SET_TAB_STOPS", "Set Ta&b Stops...", "Set the width of tab stops\nTab Stops", {}},
        {ID_VIEW_SET_FONT, "ID_VIEW_SET_FONT", "Set &Font...", "Choose the display font\nFont", {}},
        {ID_VIEW_SET_PRINTER_FONT, "ID_VIEW_SET_PRINTER_FONT", "Set &Printer Font...",
         "Choose the font used for printing\nPrinter Font", {}},
        {ID_VIEW_MIRROR_DISPLAY_FONT, "ID_VIEW_MIRROR_DISPLAY_FONT", "&Mirror Display Font",
         "Print with the display font\nMirror Display Font", {}},

        {ID_DRUM_MACHINE, "ID_DRUM_MACHINE", "Drum &Machine", "Vek Drum Machine\nDrum Machine", {}},
        {ID_INSERT_DRUM_PART, "ID_INSERT_DRUM_PART", "Insert &Drum Part", "Insert a drum part\nDrum Part", {}},
        {ID_INSERT_DRUMFIGURE, "ID_INSERT_DRUMFIGURE", "Insert Drum&figure", "Insert a drumfigure\nDrumfigure", {}},
        {ID_INSERT_DRUMPATTERN, "ID_INSERT_DRUMPATTERN", "Insert Drum&pattern", "Inserts a drumpattern\nDrumpattern", {}},
        {ID_INSERT_TEMPO, "ID_INSERT_TEMPO", "Insert &Tempo Change", "Insert a tempo change\nTempo Change", {}},

        {ID_PROCESS_INTERPRET, "ID_PROCESS_INTERPRET", "&Interpret",
         "Interpret the file and write the output file\nInterpret", {}},
        {ID_PROCESS_LOAD, "ID_PROCESS_LOAD", "&Load",
         "Interpret the file then load the output into the external MIDI sequencer\nLoad into the external sequencer", {}},
        {ID_PROCESS_PLAY, "ID_PROCESS_PLAY", "&Play",
         "Interpret the file then play the output through the external MIDI sequencer\nPlay with the external player", {}},
        {ID_EXTRACT_SELECTION, "ID_EXTRACT_SELECTION", "Extract Selected Tracks",
         "Extract tracks selected by the mouse\nExtract Tracks", {}},
        {ID_PLAY_INTERNAL, "ID_PLAY_INTERNAL", "Play Internally",
         "Play this through the internal MIDI sequencer\nPlay", {}},
        {ID_PLAY_STOP, "ID_PLAY_STOP", "Stop", "Stop playback\nStop", {}},
        {ID_PLAY_PAUSE, "ID_PLAY_PAUSE", "Pause", "Pause playback\nPause", {}},

        {ID_WINDOW_CASCADE, "ID_WINDOW_CASCADE", "&Cascade", "Arrange windows so they overlap\nCascade Windows", {}},
        {ID_WINDOW_TILE_HORZ, "ID_WINDOW_TILE_HORZ", "&Tile", "Arrange windows as non-overlapping tiles\nTile Windows", {}},
        {ID_WINDOW_ARRANGE, "ID_WINDOW_ARRANGE", "&Arrange Icons",
         "Arrange minimised windows at the bottom of the window\nArrange Icons", {}},
        {ID_NEXT_PANE, "ID_NEXT_PANE", "Next Window", "Switch to the next window\nNext Window", {key(K::Key_F6)}},
        {ID_PREV_PANE, "ID_PREV_PANE", "Previous Window", "Switch back to the previous window\nPrevious Window",
         {key(shift | K::Key_F6)}},

        {ID_HELP_CONTENTS, "ID_HELP_CONTENTS", "&Contents", "Open the Vek language guide\nHelp Contents", {}},
        {ID_HELP_CONTENTS_ALT, "ID_HELP_CONTENTS_ALT", "Help Contents", "Open the Vek language guide\nHelp Contents", {}},
        {ID_HELP, "ID_HELP", "Help", "Open the editor's chapter of the guide\nHelp",
         {QKeySequence(QKeySequence::HelpContents)}},
        {ID_APP_ABOUT, "ID_APP_ABOUT", "&About Vek...",
         "Display program information, version number and copyright\nAbout", {}},
    };
}

}  // namespace

const QList<Command> &commandTable() {
    static const QList<Command> table = buildTable();
    return table;
}

const Command *findCommand(int id) {
    for (const Command &command : commandTable())
        if (command.id == id)
            return &command;
    return nullptr;
}

const QList<int> &toolbarButtons() {
    static const QList<int> buttons = {
        ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, 0, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, 0,
        ID_FILE_PRINT, 0, ID_EXTRACT_SELECTION, 0, ID_PROCESS_INTERPRET, 0, ID_PROCESS_LOAD,
        ID_PROCESS_PLAY, 0, ID_PLAY_INTERNAL};
    return buttons;
}

int toolbarImage(int id) {
    // The strip holds the buttons in toolbar order, then the Stop picture.
    static const QList<int> order = {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_EDIT_CUT, ID_EDIT_COPY,
                                     ID_EDIT_PASTE, ID_FILE_PRINT, ID_EXTRACT_SELECTION,
                                     ID_PROCESS_INTERPRET, ID_PROCESS_LOAD, ID_PROCESS_PLAY,
                                     ID_PLAY_INTERNAL, ID_PLAY_STOP};
    return int(order.indexOf(id));
}

}  // namespace vek::editor::cmd
