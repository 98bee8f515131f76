#include "app/app_message.h"

#include "app/app_strings.h"

#include <QApplication>
#include <QMessageBox>

namespace vek::editor {

namespace {

MessageHandler &currentHandler() {
    static MessageHandler handler;
    return handler;
}

QMessageBox::StandardButtons standardButtons(MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::Ok: return QMessageBox::Ok;
    case MessageButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon boxIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Warning: return QMessageBox::Warning;
    case MessageIcon::Error: return QMessageBox::Critical;
    case MessageIcon::Question: return QMessageBox::Question;
    }
    return QMessageBox::Warning;
}

MessageAnswer showBox(const AppMessage &message) {
    QMessageBox box(boxIcon(message.icon), strings::kAppTitle, message.text,
                    standardButtons(message.buttons), QApplication::activeWindow());
    switch (box.exec()) {
    case QMessageBox::Yes: return MessageAnswer::Yes;
    case QMessageBox::No: return MessageAnswer::No;
    case QMessageBox::Cancel: return MessageAnswer::Cancel;
    default: return MessageAnswer::Ok;
    }
}

}  // namespace

MessageAnswer appMessage(const QString &text, MessageButtons buttons, MessageIcon icon) {
    const AppMessage message{text, buttons, icon};
    const MessageHandler &handler = currentHandler();
    return handler ? handler(message) : showBox(message);
}

MessageHandler setMessageHandler(MessageHandler handler) {
    MessageHandler previous = std::move(currentHandler());
    currentHandler() = std::move(handler);
    return previous;
}

}  // namespace vek::editor
