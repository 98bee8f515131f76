// A Vek document: the text of one file, kept as its raw bytes come and go
// (see text_bytes.h), with its path, title and modified flag.
#pragma once

#include "app/text_bytes.h"

#include <QDateTime>
#include <QObject>

class QTextDocument;

namespace vek::editor {

class CPadDoc : public QObject {
    Q_OBJECT
public:
    explicit CPadDoc(QObject *parent = nullptr);

    QTextDocument *textDocument() const { return m_text; }
    // The text with '\n' line breaks, exactly as the file holds it otherwise.
    QString text() const;
    QByteArray bytes() const { return encodeText(text(), m_format); }
    const TextFormat &format() const { return m_format; }

    // Empty for a document that was never saved.
    const QString &path() const { return m_path; }
    // File name, or NoName<n> for an untitled document.
    const QString &title() const { return m_title; }
    void setUntitled(int number);
    // Names the document without touching any file.
    void setPath(const QString &path);
    bool isModified() const;
    void setModified(bool modified);
    // Modification time of the file, invalid when there is none.
    QDateTime fileTime() const;

    // Both report failures through the application message function.
    bool load(const QString &path);
    bool saveAs(const QString &path);

    qint64 byteOffset(int position) const { return byteOffsetOf(text(), position, m_format); }
    int position(qint64 byteOffset) const { return positionOfByte(text(), byteOffset, m_format); }

signals:
    void pathChanged(const QString &path);
    void modificationChanged(bool modified);

private:
    QTextDocument *m_text;
    TextFormat m_format;
    QString m_path;
    QString m_title;
};

}  // namespace vek::editor
