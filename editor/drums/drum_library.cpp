#include "drums/drum_library.h"

#include "drums/drum_formats.h"

#include <QDir>

namespace vek::editor {

const QString DrumLibrary::kInstruments = QStringLiteral("drum instrument");
const QString DrumLibrary::kFigures = QStringLiteral("drumfigure");
const QString DrumLibrary::kPatterns = QStringLiteral("drumpattern");
const QString DrumLibrary::kParts = QStringLiteral("drum part");

DrumLibrary::DrumLibrary(const QString &path) : m_file(path) {}

DrumListing DrumLibrary::list(const QString &section) const {
    DrumListing listing{m_file.keys(section), {}};
    if (listing.names.isEmpty())
        listing.error = QStringLiteral("Either ") + QDir::toNativeSeparators(path()) +
                        QStringLiteral(" does not exist or it contains no ") + section;
    return listing;
}

QString DrumLibrary::instrumentText(const QString &instrument) const {
    return m_file.readString(kInstruments, instrument, QStringLiteral("Default"));
}

DrumFigure DrumLibrary::loadFigure(const QString &name) const {
    const QString key = name.trimmed();
    DrumFigure figure;
    if (!key.isEmpty())
        figure = parseFigure(m_file.value(kFigures, key).value_or(QString()));
    figure.name = key;
    return figure;
}

DrumPattern DrumLibrary::loadPattern(const QString &name) const {
    const QString key = name.trimmed();
    DrumPattern pattern;
    if (!key.isEmpty())
        pattern = parsePattern(m_file.value(kPatterns, key).value_or(QString()));
    pattern.name = key;
    for (DrumFigure &figure : pattern.figures)
        figure = loadFigure(figure.name);
    return pattern;
}

DrumPart DrumLibrary::loadPart(const QString &name) const {
    const QString key = name.trimmed();
    DrumPart part;
    if (!key.isEmpty())
        part = parsePart(m_file.value(kParts, key).value_or(QString()));
    part.name = key;
    for (DrumPattern *pattern : {&part.a, &part.b, &part.x})
        *pattern = loadPattern(pattern->name);
    return part;
}

QString DrumLibrary::saveFigure(const DrumFigure &figure) {
    return save(kFigures, figure.name, {figure.instrument}, figureValue(figure));
}

QString DrumLibrary::savePattern(const DrumPattern &pattern) {
    QStringList names;
    for (const DrumFigure &figure : pattern.figures)
        names << figure.name;
    return save(kPatterns, pattern.name, names, patternValue(pattern));
}

QString DrumLibrary::savePart(const DrumPart &part) {
    return save(kParts, part.name, {part.a.name, part.b.name, part.x.name}, partValue(part));
}

// `names` are the names that the value holds.
QString DrumLibrary::save(const QString &section, const QString &name, const QStringList &names,
                          const QString &value) {
    if (name.trimmed().isEmpty())
        return {};
    QString problem = nameProblem(name);
    for (const QString &held : names)
        if (problem.isEmpty())
            problem = nameProblem(held);
    if (!problem.isEmpty())
        return problem;
    if (!m_file.writeString(section, name.trimmed(), value))
        return QStringLiteral("Unable to write ") + QDir::toNativeSeparators(path());
    return {};
}

}  // namespace vek::editor
