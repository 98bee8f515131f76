#include "platform/splash_window.h"

#include <QApplication>
#include <QEvent>

namespace vek::editor {

SplashWindow::SplashWindow(const QPixmap &picture, QElapsedTimer started, int displayMs)
    : QSplashScreen(picture), m_started(started), m_displayMs(displayMs) {
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &SplashWindow::dismiss);
}

SplashWindow::~SplashWindow() { qApp->removeEventFilter(this); }

void SplashWindow::start() {
    show();
    qApp->installEventFilter(this);
    // A timer fires only when the event loop is free, that is when idle.
    m_timer.start(std::max<qint64>(0, m_displayMs - m_started.elapsed()));
}

bool SplashWindow::eventFilter(QObject *watched, QEvent *event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::KeyPress:
        dismiss();
        break;
    default:
        break;
    }
    return QSplashScreen::eventFilter(watched, event);
}

void SplashWindow::dismiss() {
    if (!isVisible())
        return;
    qApp->removeEventFilter(this);
    m_timer.stop();
    hide();
}

}  // namespace vek::editor
