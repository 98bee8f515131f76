// The start-up splash: shown while the editor starts, hidden at the first
// mouse button or key press anywhere in the application, or once the
// application is idle after the display time.
#pragma once

#include <QElapsedTimer>
#include <QSplashScreen>
#include <QTimer>

namespace vek::editor {

class SplashWindow : public QSplashScreen {
    Q_OBJECT
public:
    static constexpr int kDisplayMs = 2500;

    // The display time counts from `started` (the program's start).
    explicit SplashWindow(const QPixmap &picture, QElapsedTimer started, int displayMs = kDisplayMs);
    ~SplashWindow() override;

    // Shows the splash and starts watching for input and the time.
    void start();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void dismiss();

    QElapsedTimer m_started;
    int m_displayMs;
    QTimer m_timer;
};

}  // namespace vek::editor
