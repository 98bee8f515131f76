// The main window's placement as the profile key "WindowPos" keeps it:
// "flags,show command,minimised x,y,maximised x,y,left,top,right,bottom".
// Flags are 2 when the window was maximised (restore to maximised), else 0;
// the rectangle is the normal (restored) geometry in screen pixels with
// exclusive right and bottom.
#pragma once

#include <QRect>
#include <QString>
#include <optional>

class QWidget;

namespace vek::editor {

struct WindowPlacement {
    static constexpr unsigned kRestoreToMaximized = 2;

    unsigned flags = 0;
    unsigned showCmd = 1;
    int minX = -1, minY = -1, maxX = -1, maxY = -1;
    int left = 0, top = 0, right = 0, bottom = 0;

    bool operator==(const WindowPlacement &) const = default;

    // nullopt unless all ten numbers are there and parse.
    static std::optional<WindowPlacement> parse(const QString &text);
    QString format() const;

    static WindowPlacement capture(const QWidget &window);
    // Sets the normal geometry (kept on a screen) without showing.
    void applyGeometry(QWidget &window) const;
    QRect normalRect() const { return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)); }
};

// The show command to use: the one asked for at start-up unless that is the
// plain normal one, in which case the saved one.
int resolveShowCommand(int saved, int requestedAtStartup);
void showWithCommand(QWidget &window, int showCmd);

}  // namespace vek::editor
