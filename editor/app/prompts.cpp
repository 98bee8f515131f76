#include "app/prompts.h"

#include "app/app_strings.h"

#include <QDialog>
#include <QFileDialog>
#include <QFontDialog>

namespace vek::editor {

namespace {

PromptHooks &hooks() {
    static PromptHooks current;
    return current;
}

}  // namespace

int execDialog(QDialog &dialog) {
    return hooks().execDialog ? hooks().execDialog(dialog) : dialog.exec();
}

QStringList promptOpenFileNames(QWidget *parent, const QString &folder, const QString &filter) {
    if (hooks().openFileNames)
        return hooks().openFileNames(parent, folder);
    return QFileDialog::getOpenFileNames(parent, QString(), folder, filter.isEmpty() ? strings::kFileFilter : filter);
}

QString promptSaveFileName(QWidget *parent, const QString &suggested) {
    if (hooks().saveFileName)
        return hooks().saveFileName(parent, suggested);
    return QFileDialog::getSaveFileName(parent, QString(), suggested, strings::kFileFilter);
}

std::optional<QFont> promptFont(QWidget *parent, const QFont &initial, const QString &title) {
    if (hooks().chooseFont)
        return hooks().chooseFont(parent, initial, title);
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, initial, parent, title);
    return ok ? std::optional<QFont>(font) : std::nullopt;
}

PromptHooks setPromptHooks(PromptHooks replacement) {
    PromptHooks previous = std::move(hooks());
    hooks() = std::move(replacement);
    return previous;
}

}  // namespace vek::editor
