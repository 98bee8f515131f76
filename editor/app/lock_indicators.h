// The status bar's lock-key panes "CAP", "NUM" and "SCRL": lit while the
// lock is on, greyed while it is off or cannot be read. They are refreshed
// whenever the application sees a key go down or up and whenever one of its
// windows is activated, since a lock may have changed in another program.
#pragma once

#include <QObject>

class QLabel;
class QStatusBar;

namespace vek::editor {

struct LockKeys;

class LockIndicators : public QObject {
    Q_OBJECT
public:
    // Adds the three panes to the right end of `bar`, which owns them and
    // this object.
    explicit LockIndicators(QStatusBar *bar);

    void refresh(const LockKeys &keys);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLabel *m_caps;
    QLabel *m_num;
    QLabel *m_scroll;
};

}  // namespace vek::editor
