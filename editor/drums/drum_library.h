// The drum library: the file Drum.ini of the Machines folder, with the
// instruments of the drum tools (section "drum instrument", Vek text under
// a display name) and their figures, patterns and drum parts.
#pragma once

#include "drums/drum_records.h"
#include "platform/profile_file.h"

#include <QString>
#include <QStringList>

namespace vek::editor {

struct DrumListing {
    QStringList names;  // the keys of the section, in file order
    QString error;      // empty, or the text to show when there are none
};

class DrumLibrary {
public:
    static const QString kInstruments;  // "drum instrument"
    static const QString kFigures;      // "drumfigure"
    static const QString kPatterns;     // "drumpattern"
    static const QString kParts;        // "drum part"

    // Reads the file at once; a missing file is an empty library.
    explicit DrumLibrary(const QString &path);

    const QString &path() const { return m_file.path(); }
    void reload() { m_file.reload(); }

    DrumListing list(const QString &section) const;

    // The Vek text of an instrument; "Default" when it is not in the
    // library (builtins.vek gives that name a sound).
    QString instrumentText(const QString &instrument) const;

    // A record by name; a name missing from its section gives a record
    // of that name with empty names and zero numbers (tempo 130). A pattern
    // comes with its figures, a part with its patterns and their figures.
    // A name of blanks is empty and gives an empty record.
    DrumFigure loadFigure(const QString &name) const;
    DrumPattern loadPattern(const QString &name) const;
    DrumPart loadPart(const QString &name) const;

    // Each returns the text to show the user, empty when all went well. A
    // record without a name (empty or blanks) is not stored, and nothing is
    // reported. Names that would not read back (nameProblem) are refused.
    QString saveFigure(const DrumFigure &figure);
    QString savePattern(const DrumPattern &pattern);
    QString savePart(const DrumPart &part);

private:
    QString save(const QString &section, const QString &name, const QStringList &names,
                 const QString &value);

    ProfileFile m_file;
};

}  // namespace vek::editor
