#include "app/about_dlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

namespace vek::editor {

AboutDlg::AboutDlg(QWidget *parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("About Vek"));
    auto *icon = new QLabel;
    icon->setPixmap(QPixmap(QStringLiteral(":/vekedit/vekedit-48.png")));
    auto *text = new QLabel(QStringLiteral(
        "<b>Vek</b> Version %1<br>Compose music as plain text and compile it to MIDI.")
                                .arg(QStringLiteral(VEK_VERSION_TEXT)));
    text->setTextFormat(Qt::RichText);
    auto *row = new QHBoxLayout;
    row->addWidget(icon, 0, Qt::AlignTop);
    row->addWidget(text, 1);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
}

}  // namespace vek::editor
