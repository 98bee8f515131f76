#include "app/lock_indicators.h"

#include "platform/lock_keys.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QStatusBar>
#include <QWidget>

namespace vek::editor {

namespace {

// Every pane is as wide as the widest text, so the bar never shifts.
QLabel *addPane(QStatusBar *bar, const QString &text, const char *name) {
    auto *pane = new QLabel(text);
    pane->setObjectName(QLatin1String(name));
    pane->setAlignment(Qt::AlignCenter);
    pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 8);
    bar->addPermanentWidget(pane);
    return pane;
}

}  // namespace

LockIndicators::LockIndicators(QStatusBar *bar)
    : QObject(bar),
      m_caps(addPane(bar, QStringLiteral("CAP"), "capsLock")),
      m_num(addPane(bar, QStringLiteral("NUM"), "numLock")),
      m_scroll(addPane(bar, QStringLiteral("SCRL"), "scrollLock")) {
    refresh(readLockKeys());
    qApp->installEventFilter(this);
}

void LockIndicators::refresh(const LockKeys &keys) {
    // Disabled text is the greyed look of an indicator that is off.
    m_caps->setEnabled(keys.caps);
    m_num->setEnabled(keys.num);
    m_scroll->setEnabled(keys.scroll);
}

bool LockIndicators::eventFilter(QObject *watched, QEvent *event) {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        // A key event reaches its native window once, then widgets (and
        // their parents when ignored): read the state once per key.
        if (watched->isWindowType())
            refresh(readLockKeys());
        break;
    case QEvent::WindowActivate:
        refresh(readLockKeys());
        break;
    default:
        break;
    }
    return false;
}

}  // namespace vek::editor
