// "Set Tab Stops" (dialog 1010): the tab stop width in characters, 1 to 16.
#pragma once

#include <QDialog>

class QSpinBox;

namespace vek::editor {

class CSetTabStops : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMinimum = 1, kMaximum = 16;  // characters

    explicit CSetTabStops(int characters, QWidget *parent = nullptr);

    // The entry, within 1 to 16.
    int characters() const;
    QSpinBox *field() const { return m_field; }

private:
    QSpinBox *m_field;
};

}  // namespace vek::editor
