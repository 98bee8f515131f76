// Command ids of the editor's menus, accelerators and toolbar. A QAction's
// object name is the symbolic name below; its "commandId" property holds
// the number.
#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>

namespace vek::editor::cmd {

enum Id : int {
    ID_FILE_NEW = 57600,
    ID_FILE_OPEN = 57601,
    ID_FILE_CLOSE = 57602,
    ID_FILE_SAVE = 57603,
    ID_FILE_SAVE_AS = 57604,
    ID_FILE_PRINT_SETUP = 57606,
    ID_FILE_PRINT = 57607,
    ID_FILE_PRINT_PREVIEW = 57609,
    ID_FILE_MRU_FILE1 = 57616,  // ... 57623 for the eight recent files
    ID_FILE_PROGRAM_SETTINGS = 32769,
    ID_FILE_IMPORT_MIDI = 32795,
    ID_APP_EXIT = 57665,

    ID_EDIT_CLEAR = 57632,
    ID_EDIT_COPY = 57634,
    ID_EDIT_CUT = 57635,
    ID_EDIT_FIND = 57636,
    ID_EDIT_PASTE = 57637,
    ID_EDIT_REPEAT = 57640,  // Find Next
    ID_EDIT_REPLACE = 57641,
    ID_EDIT_SELECT_ALL = 57642,
    ID_EDIT_UNDO = 57643,
    ID_EDIT_WORD_WRAP = 1006,

    ID_VIEW_TOOLBAR = 59392,
    ID_VIEW_STATUS_BAR = 59393,
    ID_VIEW_SET_TAB_STOPS = 1005,
    ID_VIEW_SET_FONT = 1004,
    ID_VIEW_SET_PRINTER_FONT = 32770,
    ID_VIEW_MIRROR_DISPLAY_FONT = 104,

    ID_DRUM_MACHINE = 32787,
    ID_INSERT_DRUM_PART = 32785,
    ID_INSERT_DRUMFIGURE = 32784,
    ID_INSERT_DRUMPATTERN = 57703,
    ID_INSERT_TEMPO = 57700,

    ID_PROCESS_INTERPRET = 32774,
    ID_PROCESS_LOAD = 32777,
    ID_PROCESS_PLAY = 32773,
    ID_EXTRACT_SELECTION = 32778,
    ID_PLAY_INTERNAL = 32781,
    ID_PLAY_STOP = 32782,
    ID_PLAY_PAUSE = 32783,

    ID_WINDOW_ARRANGE = 57649,
    ID_WINDOW_CASCADE = 57650,
    ID_WINDOW_TILE_HORZ = 57651,
    ID_NEXT_PANE = 57680,
    ID_PREV_PANE = 57681,

    ID_HELP_CONTENTS = 32776,
    ID_HELP_CONTENTS_ALT = 32775,
    ID_HELP = 57670,
    ID_APP_ABOUT = 57664,
};

inline constexpr int kRecentFileCount = 8;

struct Command {
    int id;
    const char *name;      // object name of the action
    const char *menuText;  // with "&" mnemonic and "\t" accelerator text
    const char *prompt;    // status bar prompt, "\n", tool tip
    QList<QKeySequence> keys;
};

// Every command the main frame creates an action for, in no particular order.
const QList<Command> &commandTable();
const Command *findCommand(int id);

// Toolbar buttons in order; 0 is a separator.
const QList<int> &toolbarButtons();
// Index of a command's picture in the toolbar image strip, -1 when none.
int toolbarImage(int id);

}  // namespace vek::editor::cmd
