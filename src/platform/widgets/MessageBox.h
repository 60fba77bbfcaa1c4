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

    // Where the captions of Yes, No and OK come from; an empty caption leaves
    // the platform's own, in the desktop's language.
    using ButtonCaptions = std::function<QString(MessageAnswer)>;
    static void setButtonCaptions(ButtonCaptions captions);
    static QString buttonCaption(MessageAnswer button);
    static void setHandlerForTesting(Handler handler); // empty restores the real box
};

} // namespace platform
