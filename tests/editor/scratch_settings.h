// Settings over a scratch folder, loaded as the application loads them at
// start, for the tests that build a main frame on them.
#pragma once

#include "app/document_folder.h"
#include "app/editor_settings.h"
#include "app/main_frame.h"
#include "app/program_settings.h"
#include "app/recent_files.h"
#include "platform/profile_file.h"

#include <QTemporaryDir>

namespace vek::editor::test {

struct ScratchSettings {
    QTemporaryDir dir;
    ProfileFile profile{dir.filePath(QStringLiteral("vekedit.ini"))};
    EditorSettings editor;
    ProgramSettings program;
    RecentFiles recent;

    ScratchSettings() {
        program.load(profile);
        program.documentPath.set(dir.path());
        editor.loadShowCommand(profile);
        editor.loadViewSettings(profile);
        recent.load(profile);
    }
    EditorContext context() {
        return EditorContext{&profile, &editor, &program, &recent, dir.path(), installedDataDir(dir.path())};
    }
};

}  // namespace vek::editor::test
