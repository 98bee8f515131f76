// The printed header and footer texts. In the pattern the first "&p" stands
// for the page number and the first "&f" for the document's path (its title
// when it has none); the result is then a strftime() format for a time.
#pragma once

#include <QDateTime>
#include <QString>

namespace vek::editor {

// Substituted texts are protected from strftime(), so a "%" in a file name
// prints as itself; the result is not limited in length.
QString expandPageText(const QString &pattern, int page, const QString &pathOrTitle,
                       const QDateTime &time);

// The time a header or footer shows: the time of printing when its time
// flag is not 0 or the path has no "."; otherwise the file's modification
// time.
QDateTime pageTextTime(int timeFlag, const QString &pathOrTitle, const QDateTime &fileTime,
                       const QDateTime &printTime);

}  // namespace vek::editor
