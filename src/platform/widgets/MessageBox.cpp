#include "platform/widgets/MessageBox.h"

#include "platform/services/ClassroomDisplay.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QStyle>
#include <QTranslator>

#include <algorithm>
#include <cmath>

namespace platform {

namespace {
constexpr int kTouchSide = 44;

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
MessageBox::ButtonCaptions& buttonCaptions()
{
    static MessageBox::ButtonCaptions captions;
    return captions;
}

// The platform's own texts (Yes, No and OK when the language file gives none)
// in the language of the desktop: loaded with the first box, not on the way to
// the program's first window.
void installPlatformTexts()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    auto* texts = new QTranslator(QCoreApplication::instance());
    if (texts->load(QLocale::system(), QStringLiteral("qtbase"), QStringLiteral("_"),
                    QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(texts);
    else
        delete texts;
}
// With the classroom display: text and icon grown as the window's text is,
// and buttons large enough for a finger.
void growForTheClassroom(QMessageBox& box, qreal scale)
{
    scale = std::max(1.0, scale);
    QFont font = box.font();
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * scale);
    box.setFont(font);
    if (box.icon() != QMessageBox::NoIcon) {
        const int side = int(std::lround(box.style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, &box) * scale));
        const QStyle::StandardPixmap kinds[] = {QStyle::SP_MessageBoxInformation, QStyle::SP_MessageBoxInformation,
                                                QStyle::SP_MessageBoxWarning, QStyle::SP_MessageBoxCritical,
                                                QStyle::SP_MessageBoxQuestion};
        const QIcon icon = box.style()->standardIcon(kinds[std::clamp(int(box.icon()), 0, 4)], nullptr, &box);
        // The theme may have no picture that large: the largest it has, scaled.
        const QPixmap picture = icon.pixmap(side, side);
        box.setIconPixmap(picture.width() >= side ? picture
                                                  : picture.scaled(side, side, Qt::KeepAspectRatio,
                                                                   Qt::SmoothTransformation));
    }
    for (QAbstractButton* button : box.buttons()) {
        button->setFont(font);
        button->setMinimumSize(std::max(kTouchSide * 2, int(80 * scale)), std::max(kTouchSide, int(24 * scale)));
    }
}
} // namespace

MessageAnswer MessageBox::show(const MessageRequest& request)
{
    if (handler())
        return handler()(request);
    installPlatformTexts();

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
    for (const auto& [standard, answer] : {std::pair{QMessageBox::Yes, MessageAnswer::Yes},
                                           std::pair{QMessageBox::No, MessageAnswer::No},
                                           std::pair{QMessageBox::Ok, MessageAnswer::Ok}}) {
        const QString caption = buttonCaption(answer);
        if (QAbstractButton* button = box.button(standard); button && !caption.isEmpty())
            button->setText(caption);
    }
    if (ClassroomDisplay::isOn())
        growForTheClassroom(box, ClassroomDisplay::textScaleOf(box.parentWidget()));
    const int result = box.exec();
    if (request.buttons == MessageButtons::Ok)
        return MessageAnswer::Ok;
    return result == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

void MessageBox::setButtonCaptions(ButtonCaptions captions)
{
    buttonCaptions() = std::move(captions);
}

QString MessageBox::buttonCaption(MessageAnswer button)
{
    return buttonCaptions() ? buttonCaptions()(button) : QString();
}

void MessageBox::setHandlerForTesting(Handler h)
{
    handler() = std::move(h);
}

} // namespace platform
