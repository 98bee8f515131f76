// An initialisation ("profile") file read and written the way the classic
// profile functions do it: sections and keys match without regard to case,
// values are raw text, the first of duplicate entries wins, and a write
// changes only the line it concerns, so comments and every other line
// survive byte for byte.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace vek::editor {

class ProfileFile {
public:
    // Reads `path` at once; a missing file is an empty profile.
    explicit ProfileFile(QString path);

    const QString &path() const { return m_path; }
    void reload();

    // The value with surrounding blanks removed and one pair of enclosing
    // quotes dropped; nullopt when the section or key is missing.
    std::optional<QString> value(const QString &section, const QString &key) const;
    QString readString(const QString &section, const QString &key, const QString &fallback) const;
    // Leading decimal digits with an optional sign; a missing or empty
    // value gives `fallback`, text without digits gives 0.
    int readInt(const QString &section, const QString &key, int fallback) const;
    // The keys of the first section of that name, in file order.
    QStringList keys(const QString &section) const;
    QStringList sections() const;

    // Each write goes straight to the file. Line breaks in `value` become
    // blanks, since they would split the entry. Returns false when the file
    // cannot be written.
    bool writeString(const QString &section, const QString &key, const QString &value);
    bool writeInt(const QString &section, const QString &key, int value);
    bool removeKey(const QString &section, const QString &key);

private:
    struct Line {
        QString text;
        enum Kind { Other, Section, Entry } kind = Other;
        QString name;   // section name or key, trimmed
        QString value;  // entry value, trimmed
    };

    static Line parse(const QString &text);
    int findSection(const QString &section) const;          // line index or -1
    int sectionEnd(int sectionLine) const;                    // one past its last line
    int findKey(int sectionLine, const QString &key) const;  // line index or -1
    bool save() const;

    QString m_path;
    QString m_lineEnd = QStringLiteral("\n");
    bool m_finalLineEnd = true;
    std::vector<Line> m_lines;
};

}  // namespace vek::editor
