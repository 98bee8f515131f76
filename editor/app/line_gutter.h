// The strip of line numbers at the left of an edit view.
#pragma once

#include <QWidget>

namespace vek::editor {

class CPadView;

class LineGutter : public QWidget {
    Q_OBJECT
public:
    explicit LineGutter(CPadView *view);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    CPadView *m_view;
};

}  // namespace vek::editor
