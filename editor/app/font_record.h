// A font as the profile keeps it: the fields of a logical font record.
// Height is in screen pixels, negative for the character height (the usual
// form) and positive for the cell height; 0 means no font is saved and the
// platform's fixed-width font is used.
#pragma once

#include <QFont>
#include <QString>

namespace vek::editor {

class ProfileFile;

struct FontRecord {
    static constexpr int kMaxFaceName = 31;  // characters

    int height = 0;
    int weight = 0;  // 100 to 900; 0 for "don't care"
    int italic = 0;
    int underline = 0;
    int pitchAndFamily = 0;  // low 2 bits: 1 fixed, 2 variable pitch; high nibble: family
    int charSet = 1;
    QString faceName = QStringLiteral("System");

    bool isSet() const { return height != 0; }
    bool operator==(const FontRecord &) const = default;

    // The other fields are read only when "Height" is not 0.
    static FontRecord load(const ProfileFile &profile, const QString &section);
    // "Height" always, the other fields only when it is not 0.
    bool save(ProfileFile &profile, const QString &section) const;

    // `screenDpi` converts between points and screen pixels.
    static FontRecord fromFont(const QFont &font, double screenDpi);
    QFont toFont(double screenDpi) const;
};

// The font views use when no display font is saved.
QFont defaultDisplayFont();
// Logical dots per inch of the primary screen (96 when there is none).
double screenDpi();

}  // namespace vek::editor
