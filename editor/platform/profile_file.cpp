#include "platform/profile_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <climits>

namespace vek::editor {

namespace {

bool sameName(const QString &a, const QString &b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString unquoted(const QString &value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        return value.mid(1, value.size() - 2);
    return value;
}

}  // namespace

ProfileFile::ProfileFile(QString path) : m_path(std::move(path)) { reload(); }

ProfileFile::Line ProfileFile::parse(const QString &text) {
    Line line;
    line.text = text;
    const QString trimmed = text.trimmed();
    if (trimmed.startsWith('[')) {
        const int close = trimmed.indexOf(']');
        line.kind = Line::Section;
        line.name = (close < 0 ? trimmed.mid(1) : trimmed.mid(1, close - 1)).trimmed();
    } else if (!trimmed.isEmpty() && !trimmed.startsWith(';')) {
        // A line without "=" is a key without a value.
        const int equals = trimmed.indexOf('=');
        line.kind = Line::Entry;
        line.name = (equals < 0 ? trimmed : trimmed.left(equals)).trimmed();
        line.value = equals < 0 ? QString() : trimmed.mid(equals + 1).trimmed();
    }
    return line;
}

void ProfileFile::reload() {
    m_lines.clear();
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QString text = QString::fromUtf8(file.readAll());
    if (text.isEmpty())
        return;
    m_lineEnd = text.contains(QStringLiteral("\r\n")) ? QStringLiteral("\r\n") : QStringLiteral("\n");
    m_finalLineEnd = text.endsWith('\n');
    QStringList rows = text.split('\n');
    if (m_finalLineEnd)
        rows.removeLast();
    for (QString &row : rows) {
        if (row.endsWith('\r'))
            row.chop(1);
        m_lines.push_back(parse(row));
    }
}

int ProfileFile::findSection(const QString &section) const {
    for (size_t i = 0; i < m_lines.size(); ++i)
        if (m_lines[i].kind == Line::Section && sameName(m_lines[i].name, section))
            return int(i);
    return -1;
}

int ProfileFile::sectionEnd(int sectionLine) const {
    int i = sectionLine + 1;
    while (i < int(m_lines.size()) && m_lines[i].kind != Line::Section)
        ++i;
    return i;
}

int ProfileFile::findKey(int sectionLine, const QString &key) const {
    const int end = sectionEnd(sectionLine);
    for (int i = sectionLine + 1; i < end; ++i)
        if (m_lines[i].kind == Line::Entry && sameName(m_lines[i].name, key))
            return i;
    return -1;
}

std::optional<QString> ProfileFile::value(const QString &section, const QString &key) const {
    const int s = findSection(section);
    const int k = s < 0 ? -1 : findKey(s, key);
    if (k < 0)
        return std::nullopt;
    return unquoted(m_lines[k].value);
}

QString ProfileFile::readString(const QString &section, const QString &key,
                                const QString &fallback) const {
    return value(section, key).value_or(fallback);
}

int ProfileFile::readInt(const QString &section, const QString &key, int fallback) const {
    const std::optional<QString> text = value(section, key);
    if (!text || text->isEmpty())
        return fallback;
    int i = 0;
    const bool negative = text->front() == '-';
    if (negative || text->front() == '+')
        ++i;
    long long result = 0;
    for (; i < text->size() && text->at(i).isDigit() && result <= INT_MAX; ++i)
        result = result * 10 + text->at(i).digitValue();
    result = std::min<long long>(result, INT_MAX);
    return int(negative ? -result : result);
}

QStringList ProfileFile::keys(const QString &section) const {
    QStringList names;
    const int s = findSection(section);
    if (s < 0)
        return names;
    const int end = sectionEnd(s);
    for (int i = s + 1; i < end; ++i)
        if (m_lines[i].kind == Line::Entry)
            names << m_lines[i].name;
    return names;
}

QStringList ProfileFile::sections() const {
    QStringList names;
    for (const Line &line : m_lines)
        if (line.kind == Line::Section)
            names << line.name;
    return names;
}

bool ProfileFile::writeString(const QString &section, const QString &key, const QString &value) {
    QString clean = value;
    clean.replace('\r', ' ').replace('\n', ' ');
    int s = findSection(section);
    if (s < 0) {
        if (!m_lines.empty() && !m_lines.back().text.trimmed().isEmpty())
            m_lines.push_back(Line{});
        m_lines.push_back(parse('[' + section + ']'));
        s = int(m_lines.size()) - 1;
    }
    const int k = findKey(s, key);
    if (k >= 0) {
        m_lines[k] = parse(m_lines[k].name + '=' + clean);
        return save();
    }
    // New keys follow the section's last entry, ahead of trailing blank lines.
    int at = sectionEnd(s);
    while (at > s + 1 && m_lines[at - 1].text.trimmed().isEmpty())
        --at;
    m_lines.insert(m_lines.begin() + at, parse(key + '=' + clean));
    return save();
}

bool ProfileFile::writeInt(const QString &section, const QString &key, int value) {
    return writeString(section, key, QString::number(value));
}

bool ProfileFile::removeKey(const QString &section, const QString &key) {
    const int s = findSection(section);
    const int k = s < 0 ? -1 : findKey(s, key);
    if (k < 0)
        return true;
    m_lines.erase(m_lines.begin() + k);
    return save();
}

bool ProfileFile::save() const {
    QString text;
    for (size_t i = 0; i < m_lines.size(); ++i) {
        text += m_lines[i].text;
        if (i + 1 < m_lines.size() || m_finalLineEnd)
            text += m_lineEnd;
    }
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(text.toUtf8());
    return file.commit();
}

}  // namespace vek::editor
