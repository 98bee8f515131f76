#include "process/vek_binding.h"

#include "platform/shared_library.h"
#include "process/piece_map.h"

#include <cstring>

namespace vek::editor {

namespace {

SharedLibrary &library() {
    static SharedLibrary handle;
    return handle;
}

// The record the library reads; it points into `call`, which outlives it.
VekmainArgs argumentsOf(const VekCall &call) {
    VekmainArgs args{};
    args.sourcePath = call.sourcePath.constData();
    args.format = call.format.constData();
    args.listingPath = call.listingPath.constData();
    args.includePath = call.includePath.constData();
    args.selectionStart = &call.selectionStart;
    args.selectionEnd = &call.selectionEnd;
    args.extractMode = &call.extractMode;
    args.version = VEKMAIN_VERSION;
    return args;
}

QByteArray boundedText(const char *text, std::size_t capacity) {
    return QByteArray(text, qsizetype(strnlen(text, capacity)));
}

}  // namespace

VekOutcome callVekmain(const VekCall &call, PieceMap *map) {
    VekOutcome outcome;
    SharedLibrary &vek = library();
    if (!vek.load(vekLibraryFileName(), programLibraryFolders()))
        return outcome;
    auto entry = reinterpret_cast<VekmainFunction>(vek.resolve("Vekmain"));
    auto mapped = map ? reinterpret_cast<VekmainWithMapFunction>(vek.resolve("VekmainWithMap")) : nullptr;
    if (mapped) {
        *map = PieceMap{};
        VekEventMap binding = map->binding();
        const VekmainArgs args = argumentsOf(call);
        outcome.result = mapped(VEKMAIN_ARGUMENT_COUNT, &args, &binding);
        map->division = binding.division;
        outcome.status = VekOutcome::Status::Called;
    } else if (entry) {
        const VekmainArgs args = argumentsOf(call);
        outcome.result = entry(VEKMAIN_ARGUMENT_COUNT, &args);
        outcome.status = VekOutcome::Status::Called;
    } else {
        outcome.status = VekOutcome::Status::NoEntry;
    }
    outcome.freeFailed = !vek.unload();
    return outcome;
}

QString vekLibraryFileName() {
#ifdef _WIN32
    return QStringLiteral("Vek12.dll");
#else
    return QStringLiteral("libVek12.so");
#endif
}

QString libraryLoadFailureMessage() {
    return QStringLiteral("Cannot load DLL ") + vekLibraryFileName() + QStringLiteral(" Ensure that the file ") +
           QStringLiteral("is in your VEK directory. ") +
           QStringLiteral("Alternatively, the DLL may be in use by another process. ");
}

QString libraryEntryMissingMessage() {
    return QStringLiteral("The library ") + vekLibraryFileName() +
           QStringLiteral(" has no entry point Vekmain; it is not the Vek compiler or it is damaged. ");
}

QString resultMessage(const ParseError &result) {
    return QString::fromUtf8(boundedText(result.message, sizeof result.message));
}

QByteArray resultFileName(const ParseError &result) {
    return boundedText(result.fileName, sizeof result.fileName);
}

}  // namespace vek::editor
