// Prints a document's text with a header and a footer on every page.
//
// With h the line height of the printer font and q = h / 4: a non-empty
// header stands at the top left of the printable area with a rule h + q
// below the top, and the text starts q below that rule; a non-empty footer
// has its top h above the bottom, with a rule q above it, and the text ends
// h + 2q above the bottom. Long lines wrap at the page width.
#pragma once

#include <QDateTime>
#include <QFont>
#include <QString>

class QPagedPaintDevice;
class QPainter;
class QPrinter;

namespace vek::editor {

struct PrintJob {
    QString text;  // line breaks as '\n'
    QFont font;    // sized in points, so that it suits the printer
    int tabStops = 32;  // dialog units, 4 per character
    QString header;     // patterns, see page_text.h
    QString footer;
    int headerTime = 0;
    int footerTime = 0;
    QString pathOrTitle;
    QDateTime fileTime;   // invalid for a document without a file
    QDateTime printTime;
};

// Prints the pages that the printer's page range selects (all when it has
// none) and returns the number of pages the document takes, or -1 when
// the printer cannot be drawn on.
int printDocument(QPrinter &printer, const PrintJob &job);

}  // namespace vek::editor
