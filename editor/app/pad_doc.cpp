#include "app/pad_doc.h"

#include "app/app_message.h"
#include "app/app_strings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPlainTextDocumentLayout>
#include <QSaveFile>
#include <QTextDocument>

namespace vek::editor {

namespace {

QString lineEndName(LineEnd lineEnd) {
    switch (lineEnd) {
    case LineEnd::CrLf: return QStringLiteral("CR LF");
    case LineEnd::Cr: return QStringLiteral("CR");
    case LineEnd::Lf: break;
    }
    return QStringLiteral("LF");
}

}  // namespace

CPadDoc::CPadDoc(QObject *parent) : QObject(parent), m_text(new QTextDocument(this)) {
    m_text->setDocumentLayout(new QPlainTextDocumentLayout(m_text));
    connect(m_text, &QTextDocument::modificationChanged, this, &CPadDoc::modificationChanged);
}

QString CPadDoc::text() const {
    // The raw text keeps non-breaking spaces, which toPlainText() flattens.
    QString raw = m_text->toRawText();
    raw.replace(QChar::ParagraphSeparator, '\n');
    return raw;
}

void CPadDoc::setUntitled(int number) {
    m_title = strings::kUntitledBase + QString::number(number);
}

void CPadDoc::setPath(const QString &path) {
    m_path = QFileInfo(path).absoluteFilePath();
    m_title = QFileInfo(path).fileName();
    emit pathChanged(m_path);
}

bool CPadDoc::isModified() const { return m_text->isModified(); }

void CPadDoc::setModified(bool modified) { m_text->setModified(modified); }

QDateTime CPadDoc::fileTime() const {
    return m_path.isEmpty() ? QDateTime() : QFileInfo(m_path).lastModified();
}

bool CPadDoc::load(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        appMessage(QStringLiteral("Cannot open %1.\n%2").arg(QDir::toNativeSeparators(path), file.errorString()),
                   MessageButtons::Ok, MessageIcon::Error);
        return false;
    }
    const DecodedText decoded = decodeBytes(file.readAll());
    m_format = decoded.format;
    m_text->setPlainText(decoded.text);
    m_text->setModified(false);
    setPath(path);
    if (m_format.mixedLineEnds)
        appMessage(QStringLiteral("%1 mixes line break styles; saving it writes %2 line breaks throughout.")
                       .arg(m_title, lineEndName(m_format.lineEnd)),
                   MessageButtons::Ok, MessageIcon::Information);
    return true;
}

bool CPadDoc::saveAs(const QString &path) {
    const QString text = this->text();
    TextFormat format = m_format;
    if (!canEncode(text, format.encoding)) {
        // Characters typed into a byte-for-byte document would be lost.
        format.encoding = TextEncoding::Utf8;
        appMessage(QStringLiteral("%1 holds characters that its original encoding cannot store; "
                                  "it is saved as UTF-8.").arg(QFileInfo(path).fileName()),
                   MessageButtons::Ok, MessageIcon::Information);
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(encodeText(text, format)) < 0 || !file.commit()) {
        appMessage(QStringLiteral("Cannot save %1.\n%2").arg(QDir::toNativeSeparators(path), file.errorString()),
                   MessageButtons::Ok, MessageIcon::Error);
        return false;
    }
    m_format = format;
    m_format.mixedLineEnds = false;
    m_text->setModified(false);
    setPath(path);
    return true;
}

}  // namespace vek::editor
