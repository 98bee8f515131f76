#include "app/window_placement.h"

#include "app/editor_settings.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStringList>
#include <QWidget>

namespace vek::editor {

std::optional<WindowPlacement> WindowPlacement::parse(const QString &text) {
    const QStringList fields = text.split(',');
    if (fields.size() < 10)
        return std::nullopt;
    int numbers[10];
    for (int i = 0; i < 10; ++i) {
        bool ok = false;
        numbers[i] = fields[i].trimmed().toInt(&ok);
        if (!ok)
            return std::nullopt;
    }
    WindowPlacement p;
    p.flags = unsigned(numbers[0]);
    p.showCmd = unsigned(numbers[1]);
    p.minX = numbers[2], p.minY = numbers[3], p.maxX = numbers[4], p.maxY = numbers[5];
    p.left = numbers[6], p.top = numbers[7], p.right = numbers[8], p.bottom = numbers[9];
    return p;
}

QString WindowPlacement::format() const {
    return QStringLiteral("%1,%2,%3,%4,%5,%6,%7,%8,%9,%10")
        .arg(flags).arg(showCmd).arg(minX).arg(minY).arg(maxX).arg(maxY)
        .arg(left).arg(top).arg(right).arg(bottom);
}

WindowPlacement WindowPlacement::capture(const QWidget &window) {
    WindowPlacement p;
    const bool maximized = window.isMaximized();
    p.flags = maximized ? kRestoreToMaximized : 0;
    p.showCmd = window.isMinimized() ? kShowMinimized : maximized ? kShowMaximized : kShowNormal;
    const QRect normal = window.isMaximized() || window.isMinimized() ? window.normalGeometry()
                                                                        : window.geometry();
    p.left = normal.left();
    p.top = normal.top();
    p.right = normal.left() + normal.width();
    p.bottom = normal.top() + normal.height();
    return p;
}

void WindowPlacement::applyGeometry(QWidget &window) const {
    QRect rect(left, top, std::max(right - left, 200), std::max(bottom - top, 150));
    bool visible = false;
    for (const QScreen *screen : QGuiApplication::screens())
        visible = visible || screen->availableGeometry().intersects(rect);
    if (!visible && QGuiApplication::primaryScreen())
        rect.moveTopLeft(QGuiApplication::primaryScreen()->availableGeometry().topLeft());
    window.setGeometry(rect);
}

int resolveShowCommand(int saved, int requestedAtStartup) {
    return requestedAtStartup == kShowNormal ? saved : requestedAtStartup;
}

void showWithCommand(QWidget &window, int showCmd) {
    switch (showCmd) {
    case kShowMaximized: window.showMaximized(); break;
    case kShowMinimized:
    case 6:  // minimise
    case 7:  // minimised, not active
        window.showMinimized();
        break;
    default: window.showNormal(); break;
    }
}

}  // namespace vek::editor
