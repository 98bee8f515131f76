// Loading a shared library at run time, looking in the program's own folder
// first and then where the system looks, the way a library named without a
// path is found on Windows. One object holds at most one loaded library.
#pragma once

#include <QString>
#include <QStringList>

namespace vek::editor {

class SharedLibrary {
public:
    SharedLibrary() = default;
    // Leaves a library that is still loaded in memory: unloading is the
    // owner's explicit decision (unload()).
    ~SharedLibrary() = default;
    SharedLibrary(const SharedLibrary &) = delete;
    SharedLibrary &operator=(const SharedLibrary &) = delete;

    // Loads `fileName` from the first of `folders` that holds it, else by
    // the bare name through the system's search. False with errorString()
    // set when it cannot be loaded.
    bool load(const QString &fileName, const QStringList &folders);
    bool isLoaded() const { return m_handle != nullptr; }
    // Where the library was found; the bare file name after a system search.
    const QString &path() const { return m_path; }
    // Address of an exported symbol, null when there is none.
    void *resolve(const char *symbol) const;
    // True when the library was released; false keeps the handle.
    bool unload();
    const QString &errorString() const { return m_error; }

private:
    void *m_handle = nullptr;
    QString m_path;
    QString m_error;
};

// The folders searched before the system's search: the program's own
// folder, then the library folder of an installed program beside it.
QStringList programLibraryFolders();

}  // namespace vek::editor
