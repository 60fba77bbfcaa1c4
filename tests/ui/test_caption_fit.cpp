#include "support/AppFixture.h"

#include "app/WindowCatalog.h"
#include "exercises/AngleBuilder.h"
#include "exercises/MeasureClasses.h"
#include "exercises/frmRuota.h"
#include "exercises/frmRuota1.h"
#include "exercises/frmRuota1a.h"
#include "exercises/frmRuota2.h"
#include "exercises/frmRuota8.h"
#include "language/LanguageSupport.h"
#include "platform/services/ClassroomDisplay.h"
#include "platform/services/Screen.h"
#include "platform/widgets/Form.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>

#include <initializer_list>
#include <optional>

// Every window, in every shipped language, on the smallest and on a large
// screen: no caption is cut off by its control. The windows are scaled to the
// screen while their fonts keep their size, so a translation longer than the
// Italian can run out of room where the Italian did not.

namespace {

using language::Message;
using platform::Form;

QString withoutMnemonic(QString text)
{
    text.replace(QLatin1String("&&"), QString(QChar(0xE000)));
    text.remove(u'&');
    text.replace(QChar(0xE000), u'&');
    return text;
}

// Whether `text` fits `room` in `font`, on one line or, when `wrap`, on as
// many lines as the room has height for (a word wider than the room never fits).
bool fits(const QFont& font, const QRect& room, const QString& text, int alignment, bool wrap)
{
    const QFontMetrics metrics(font);
    const int flags = alignment | (wrap ? int(Qt::TextWordWrap) : int(Qt::TextSingleLine));
    const QRect needed = metrics.boundingRect(room, flags, text);
    return needed.width() <= room.width() && needed.height() <= room.height();
}

// The room a control gives its caption, and the caption; nothing for a
// control that shows no caption of its own.
struct CaptionRoom {
    QString text;
    QRect room;
    int alignment = Qt::AlignCenter;
    bool wrap = false;
};

std::optional<CaptionRoom> captionRoom(QWidget* control)
{
    if (auto* box = qobject_cast<QCheckBox*>(control)) {
        QStyleOptionButton option;
        option.initFrom(box);
        option.text = box->text();
        return CaptionRoom{withoutMnemonic(box->text()),
                           box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box),
                           Qt::AlignLeft | Qt::AlignVCenter};
    }
    if (auto* button = qobject_cast<QPushButton*>(control)) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        return CaptionRoom{withoutMnemonic(button->text()),
                           button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button)};
    }
    if (auto* label = qobject_cast<QLabel*>(control)) {
        // A label that carries its own name shows what the window writes
        // into it later (a measure, a question), not a caption.
        if (label->text() == label->objectName())
            return std::nullopt;
        const int m = label->margin();
        return CaptionRoom{label->text(), label->contentsRect().marginsRemoved(QMargins(m, m, m, m)),
                           int(label->alignment()), label->wordWrap()};
    }
    if (auto* frame = qobject_cast<QGroupBox*>(control)) {
        QStyleOptionGroupBox option;
        option.initFrom(frame);
        option.text = frame->title();
        option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
        // The style places the title and sizes its place to the text; the
        // frame's own edge is what cuts it off.
        const QRect title
            = frame->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, frame);
        const QRect room = QRect(title.topLeft(), QPoint(frame->rect().right(), title.bottom()));
        return CaptionRoom{withoutMnemonic(frame->title()), room, Qt::AlignLeft | Qt::AlignVCenter};
    }
    return std::nullopt;
}

class CaptionFitTest : public AppFixture {
protected:
    void TearDown() override
    {
        platform::Screen::setSizeForTesting(QSize());
        AppFixture::TearDown();
    }

    QStringList shippedLanguages()
    {
        installShippedLanguages();
        QStringList names;
        for (const QString& file : QDir(appDir()).entryList({QStringLiteral("*.lng")}, QDir::Files))
            names.append(QFileInfo(file).completeBaseName());
        return names;
    }

    void useLanguage(const QString& language)
    {
        writeFile(QStringLiteral("LangSetting.ini"),
                  "[Language]\r\nCurrentLanguage=" + language.toUtf8() + "\r\n");
        language::CurrentLanguageFile = language;
    }

    // Writes `text` into `label` as its window would and reports it when cut off.
    static void expectFits(QLabel* label, const QString& text)
    {
        label->setText(text);
        const auto caption = captionRoom(label);
        ASSERT_TRUE(caption);
        EXPECT_TRUE(fits(label->font(), caption->room, text, caption->alignment, caption->wrap))
            << language::CurrentLanguageFile.toStdString() << ": " << label->window()->objectName().toStdString()
            << " " << label->objectName().toStdString() << " \"" << text.toStdString() << "\" in "
            << caption->room.width() << "x" << caption->room.height();
    }

    // The answer messages of a choice window after the widest measure it asks.
    template <class T> void expectMeasureMessagesFit(int widestMeasure, std::initializer_list<Message> messages)
    {
        T* w = Form::show<T>();
        settle();
        ASSERT_NE(w, nullptr);
        for (const Message message : messages)
            expectFits(w->Label5, QString::number(widestMeasure) + language::LookupString(message));
        w->unload();
        settle();
    }

    // Loads every window in `language` and reports each caption its control cuts off.
    void expectEveryCaptionFits(const QString& language)
    {
        useLanguage(language);
        for (const app::WindowEntry& entry : app::allWindows()) {
            Form* window = entry.load();
            ASSERT_NE(window, nullptr) << entry.name.toStdString();
            window->showForm();
            settle();
            for (QObject* object : window->controls()) {
                auto* control = qobject_cast<QWidget*>(object);
                const auto caption = control ? captionRoom(control) : std::nullopt;
                if (!caption || caption->text.isEmpty())
                    continue;
                EXPECT_TRUE(fits(control->font(), caption->room, caption->text, caption->alignment, caption->wrap))
                    << language.toStdString() << ": [" << entry.name.toStdString() << "] "
                    << control->objectName().toStdString() << " \"" << caption->text.toStdString() << "\" in "
                    << caption->room.width() << "x" << caption->room.height() << " needs "
                    << QFontMetrics(control->font()).horizontalAdvance(caption->text);
            }
            window->unload();
            settle();
        }
    }
};

TEST_F(CaptionFitTest, EveryCaptionOfEveryLanguageFitsItsControlOnSmallAndLargeScreens)
{
    const QStringList languages = shippedLanguages();
    ASSERT_GE(languages.size(), 4);
    for (const QSize screen : {QSize(800, 600), QSize(1920, 1080)}) {
        platform::Screen::setSizeForTesting(screen);
        SCOPED_TRACE(std::to_string(screen.width()) + "x" + std::to_string(screen.height()));
        for (const QString& language : languages)
            expectEveryCaptionFits(language);
    }
}

// With the classroom display the text grows with the window and is fitted to
// its control: still nothing is cut off, in any language.
TEST_F(CaptionFitTest, WithTheClassroomDisplayEveryCaptionStillFits)
{
    const QStringList languages = shippedLanguages();
    platform::ClassroomDisplay::setOn(true);
    for (const QSize screen : {QSize(1024, 768), QSize(1920, 1080)}) {
        platform::Screen::setSizeForTesting(screen);
        SCOPED_TRACE(std::to_string(screen.width()) + "x" + std::to_string(screen.height()));
        for (const QString& language : languages)
            expectEveryCaptionFits(language);
    }
}

// The messages the exercises write next to a measure, with the widest measure
// each one can show, fit their labels on the smallest screen.
TEST_F(CaptionFitTest, MessagesBesideAMeasureFitTheirLabelsInEveryLanguage)
{
    platform::Screen::setSizeForTesting(QSize(800, 600));
    for (const QString& language : shippedLanguages()) {
        useLanguage(language);
        expectMeasureMessagesFit<exercises::frmRuota1>(
            180, {Message::IsAcute, Message::IsRight, Message::IsObtuse, Message::IsStraight});
        expectMeasureMessagesFit<exercises::frmRuota2>(345, {Message::IsConvex, Message::IsConcave});
        expectMeasureMessagesFit<exercises::frmRuota8>(180, {Message::ProtractorMeasured});

        auto* building = Form::show<exercises::frmRuota>();
        settle();
        ASSERT_NE(building, nullptr);
        expectFits(building->Label2, building->Label2->text()); // the mouse hints, set on activation
        for (const Message request : {Message::BuildRequest, Message::BuildAskedFor})
            expectFits(building->Label1, exercises::requestText(language::LookupString(request), 355));
        building->unload();
        settle();

        auto* classing = Form::show<exercises::frmRuota1a>();
        settle();
        ASSERT_NE(classing, nullptr);
        expectFits(classing->Label1,
                   exercises::measureCaption(language::LookupString(Message::MeasureCaption), 355));
        classing->unload();
        settle();
    }
}

} // namespace
