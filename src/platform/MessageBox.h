#pragma once

#include <QString>

#include <functional>

namespace platform {

enum class MessageIcon { None, Critical, Question, Information };
enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

struct MessageRequest {
    QString prompt;
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
    QString title; // empty: the application's own title
};

// The platform's message box: modal, with an icon and a set of buttons
// (Yes is the default of Yes/No). Tests install a handler that records what was
// asked and answers as scripted.
class MessageBox {
public:
    using Handler = std::function<MessageAnswer(const MessageRequest&)>;

    static MessageAnswer show(const MessageRequest& request);
    static void setHandlerForTesting(Handler handler); // empty restores the real box
};

} // namespace platform
