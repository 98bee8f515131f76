#include "platform/shared_library.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#ifdef _WIN32
#  include <windows.h>
#else
#  include <dlfcn.h>
#endif

namespace vek::editor {

namespace {

#ifdef _WIN32
void *openLibrary(const QString &path) {
    return LoadLibraryW(reinterpret_cast<LPCWSTR>(QDir::toNativeSeparators(path).utf16()));
}
void *symbolOf(void *handle, const char *name) {
    return reinterpret_cast<void *>(GetProcAddress(static_cast<HMODULE>(handle), name));
}
bool closeLibrary(void *handle) { return FreeLibrary(static_cast<HMODULE>(handle)) != 0; }
QString lastError() { return QStringLiteral("system error %1").arg(GetLastError()); }
#else
void *openLibrary(const QString &path) {
    // Local binding keeps the library's symbols out of the editor's way.
    return dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
}
void *symbolOf(void *handle, const char *name) { return dlsym(handle, name); }
bool closeLibrary(void *handle) { return dlclose(handle) == 0; }
QString lastError() {
    const char *text = dlerror();
    return text ? QString::fromLocal8Bit(text) : QString();
}
#endif

}  // namespace

bool SharedLibrary::load(const QString &fileName, const QStringList &folders) {
    if (m_handle)
        return true;
    QString path = fileName;
    for (const QString &folder : folders) {
        const QFileInfo candidate(QDir(folder), fileName);
        if (candidate.isFile()) {
            path = candidate.absoluteFilePath();
            break;
        }
    }
    m_handle = openLibrary(path);
    m_error = m_handle ? QString() : lastError();
    m_path = m_handle ? path : QString();
    return m_handle != nullptr;
}

void *SharedLibrary::resolve(const char *symbol) const {
    return m_handle ? symbolOf(m_handle, symbol) : nullptr;
}

bool SharedLibrary::unload() {
    if (!m_handle)
        return true;
    if (!closeLibrary(m_handle)) {
        m_error = lastError();
        return false;
    }
    m_handle = nullptr;
    m_path.clear();
    return true;
}

QStringList programLibraryFolders() {
    const QString programDir = QCoreApplication::applicationDirPath();
    QStringList folders{programDir};
#ifdef VEK_INSTALL_LIBDIR
    folders << QDir(programDir).filePath(QStringLiteral("../" VEK_INSTALL_LIBDIR));
#endif
    return folders;
}

}  // namespace vek::editor
