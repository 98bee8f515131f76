// "About Vek" (dialog 512).
#pragma once

#include <QDialog>

namespace vek::editor {

class AboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit AboutDlg(QWidget *parent = nullptr);
};

}  // namespace vek::editor
