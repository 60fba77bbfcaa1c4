#include "platform/MessageBox.h"

#include <QApplication>
#include <QMessageBox>

namespace platform {

namespace {
MessageBox::Handler& handler()
{
    static MessageBox::Handler h;
    return h;
}

QMessageBox::Icon toQt(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Critical: return QMessageBox::Critical;
    case MessageIcon::Question: return QMessageBox::Question;
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::None: break;
    }
    return QMessageBox::NoIcon;
}
} // namespace

MessageAnswer MessageBox::show(const MessageRequest& request)
{
    if (handler())
        return handler()(request);

    const QString title = request.title.isEmpty() ? QApplication::applicationDisplayName() : request.title;
    // Texts come from language files: shown as they are, never as markup, with
    // their CR LF line breaks as plain line breaks.
    QString prompt = request.prompt;
    prompt.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(toQt(request.icon), title, prompt, QMessageBox::NoButton, QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    if (request.buttons == MessageButtons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    const int result = box.exec();
    if (request.buttons == MessageButtons::Ok)
        return MessageAnswer::Ok;
    return result == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

void MessageBox::setHandlerForTesting(Handler h)
{
    handler() = std::move(h);
}

} // namespace platform
