// The editor's modal questions other than message boxes: dialogs, file
// names and fonts. Each goes through a replaceable hook, so tests answer
// them without a person and no test waits on a modal dialog.
#pragma once

#include <QFont>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QDialog;
class QWidget;

namespace vek::editor {

struct PromptHooks {
    // Runs a prepared dialog; returns its QDialog::DialogCode.
    std::function<int(QDialog &)> execDialog;
    std::function<QStringList(QWidget *parent, const QString &folder)> openFileNames;
    std::function<QString(QWidget *parent, const QString &suggested)> saveFileName;
    std::function<std::optional<QFont>(QWidget *parent, const QFont &initial, const QString &title)> chooseFont;
};

int execDialog(QDialog &dialog);
// `filter` chooses the files the dialog lists (Vek files unless given).
QStringList promptOpenFileNames(QWidget *parent, const QString &folder, const QString &filter = {});
// An empty result means the user cancelled.
QString promptSaveFileName(QWidget *parent, const QString &suggested);
std::optional<QFont> promptFont(QWidget *parent, const QFont &initial, const QString &title);

// Installs hooks (empty members keep the interactive default) and returns
// the previous set.
PromptHooks setPromptHooks(PromptHooks hooks);

}  // namespace vek::editor
