// The one way the editor speaks to the user. Every message box goes through
// appMessage(), so tests can install a handler that records the text and
// answers instead of a person.
#pragma once

#include <QString>
#include <functional>

namespace vek::editor {

enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageIcon { Information, Warning, Error, Question };
enum class MessageAnswer { Ok, Cancel, Yes, No };

struct AppMessage {
    QString text;
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::Warning;
};

using MessageHandler = std::function<MessageAnswer(const AppMessage &)>;

// Shows `text` with the application title as caption and returns the
// button chosen.
MessageAnswer appMessage(const QString &text, MessageButtons buttons = MessageButtons::Ok,
                         MessageIcon icon = MessageIcon::Warning);

// Replaces the handler (an empty one restores the message box) and returns
// the previous one.
MessageHandler setMessageHandler(MessageHandler handler);

}  // namespace vek::editor
