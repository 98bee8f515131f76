// The editor's binding of the compiler library: load it, look up Vekmain,
// call it once, copy the result and free the library again, so that a
// rebuilt library is picked up by the next compile. The library handle is
// process-wide: a library that could not be freed is used by the next call.
#pragma once

#include "vek/vekmain.h"

#include <QByteArray>
#include <QString>

namespace vek::editor {

// What one compile hands over; the binding points VekmainArgs at it.
struct VekCall {
    QByteArray sourcePath;
    QByteArray format;  // "midi" or "wrk"
    QByteArray listingPath;
    QByteArray includePath;
    int32_t selectionStart = 0;  // bytes
    int32_t selectionEnd = 0;
    int32_t extractMode = 0;
};

struct VekOutcome {
    enum class Status { Called, NotLoaded, NoEntry };
    Status status = Status::NotLoaded;
    ParseError result{};     // meaningful when Called
    bool freeFailed = false; // the library stays loaded
};

struct PieceMap;

// With `map`, asks the library for the event map too (VekmainWithMap); a
// library without that entry compiles through Vekmain and leaves the map
// empty.
VekOutcome callVekmain(const VekCall &call, PieceMap *map = nullptr);

// The library's file name on this platform.
QString vekLibraryFileName();
// The message for a library that cannot be loaded.
QString libraryLoadFailureMessage();
// The message for a library that has no entry point Vekmain.
QString libraryEntryMissingMessage();

// Texts of the result record.
QString resultMessage(const ParseError &result);
QByteArray resultFileName(const ParseError &result);

}  // namespace vek::editor
