// Helpers of the editor tests: answering messages and prompts without a
// person, and reading and writing scratch files.
#pragma once

#include "app/app_message.h"
#include "app/prompts.h"

#include <QDialog>
#include <QFile>
#include <QStringList>

namespace vek::editor::test {

// Outside a MessageRecorder or PromptScript, a message or modal prompt
// would wait for a person: end the test at once with its text instead of
// letting it hang until the watchdog fires.
[[noreturn]] inline void unanswered(const QString &what) {
    qFatal("unanswered %s (use MessageRecorder or PromptScript)", qPrintable(what));
}
inline const bool kNoUnansweredPrompts = [] {
    setMessageHandler([](const AppMessage &message) -> MessageAnswer {
        unanswered(QStringLiteral("message: ") + message.text);
    });
    PromptHooks hooks;
    hooks.execDialog = [](QDialog &dialog) -> int {
        unanswered(QStringLiteral("dialog: ") + dialog.windowTitle());
    };
    hooks.openFileNames = [](QWidget *, const QString &) -> QStringList { unanswered(QStringLiteral("open prompt")); };
    hooks.saveFileName = [](QWidget *, const QString &) -> QString { unanswered(QStringLiteral("save prompt")); };
    hooks.chooseFont = [](QWidget *, const QFont &, const QString &) -> std::optional<QFont> {
        unanswered(QStringLiteral("font prompt"));
    };
    setPromptHooks(std::move(hooks));
    return true;
}();

// Records every application message and answers with the queued answers
// (Ok or No once the queue is empty).
class MessageRecorder {
public:
    MessageRecorder() {
        m_previous = setMessageHandler([this](const AppMessage &message) {
            messages << message.text;
            if (!answers.isEmpty())
                return answers.takeFirst();
            return message.buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::No;
        });
    }
    ~MessageRecorder() { setMessageHandler(std::move(m_previous)); }
    MessageRecorder(const MessageRecorder &) = delete;
    MessageRecorder &operator=(const MessageRecorder &) = delete;

    QStringList messages;
    QList<MessageAnswer> answers;

private:
    MessageHandler m_previous;
};

// Answers dialogs, file names and fonts. Dialogs are handed to `dialog`,
// which fills in controls and returns the code; without it they are
// rejected. Counts every dialog it sees.
class PromptScript {
public:
    PromptScript() {
        PromptHooks hooks;
        hooks.execDialog = [this](QDialog &shown) {
            ++dialogs;
            if (!dialog) {
                shown.reject();
                return int(QDialog::Rejected);
            }
            return dialog(shown);
        };
        hooks.openFileNames = [this](QWidget *, const QString &) { return openNames; };
        hooks.saveFileName = [this](QWidget *, const QString &suggested) {
            suggestedName = suggested;
            return saveName;
        };
        hooks.chooseFont = [this](QWidget *, const QFont &, const QString &) { return font; };
        m_previous = setPromptHooks(std::move(hooks));
    }
    ~PromptScript() { setPromptHooks(std::move(m_previous)); }
    PromptScript(const PromptScript &) = delete;
    PromptScript &operator=(const PromptScript &) = delete;

    std::function<int(QDialog &)> dialog;
    QStringList openNames;
    QString saveName;
    QString suggestedName;
    std::optional<QFont> font;
    int dialogs = 0;

private:
    PromptHooks m_previous;
};

// Valgrind starts programs itself, so the system's limit on argument size
// does not show under it.
inline bool underValgrind() {
    return qEnvironmentVariable("LD_PRELOAD").contains(QStringLiteral("vgpreload"));
}

inline bool writeFile(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline QByteArray readFile(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace vek::editor::test
