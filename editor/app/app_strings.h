// Fixed texts of the editor: titles, the document template's fields and the
// messages that have their own string numbers.
#pragma once

#include <QString>

namespace vek::editor::strings {

inline const QString kAppTitle = QStringLiteral("Vek");
inline const QString kUntitledBase = QStringLiteral("NoName");  // NoName1, NoName2, ...
inline const QString kDocumentTypeName = QStringLiteral("Vek Document");
inline const QString kFileFilter = QStringLiteral("Vek Files (*.vek);;All Files (*)");
inline const QString kDefaultExtension = QStringLiteral(".vek");
inline const QString kListingExtension = QStringLiteral(".vls");
inline const QString kIdle = QStringLiteral("Ready");

// String 4000 and 4001.
inline const QString kNoPrinterContext = QStringLiteral("Cannot get printer device context.");
inline const QString kNoPrinterDefaults = QStringLiteral("Cannot get printer device defaults.");

inline QString askToSave(const QString &title) {
    return QStringLiteral("Save changes to %1?").arg(title);
}

}  // namespace vek::editor::strings
