// The box a pupil types a number into: what it keeps, whichever way the text
// comes in, and when it gives the answer.
#include "exercise/TypedAnswerBox.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using exercise::TypedAnswerBox;

namespace {

class TypedAnswerBoxTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_window = std::make_unique<QWidget>();
        m_window->resize(300, 100);
        m_window->show();
        useBox(TypedAnswerBox::kDefaultMaxLength);
    }

    void useBox(int maxLength)
    {
        delete box;
        box = new TypedAnswerBox(m_window.get(), maxLength);
        box->setGeometry(10, 10, 280, 40);
        box->show();
        box->setFocus();
    }

    // Every way a text gets into a line edit.
    struct Way {
        const char* name;
        std::function<void(const QString&)> put;
    };
    QList<Way> ways()
    {
        const auto paste = [](const std::function<void()>& how) {
            return [how](const QString& text) {
                QApplication::clipboard()->setText(text);
                how();
            };
        };
        return {
            {"typed", [this](const QString& text) { QTest::keyClicks(box, text); }},
            {"Ctrl+V", paste([this] { QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier); })},
            {"Shift+Insert", paste([this] { QTest::keyClick(box, Qt::Key_Insert, Qt::ShiftModifier); })},
            {"context menu", paste([this] { pasteFromContextMenu(); })},
            {"dropped", [this](const QString& text) { drop(text); }},
            {"input method", [this](const QString& text) { commitFromInputMethod(text); }},
        };
    }

    void pasteFromContextMenu()
    {
        std::unique_ptr<QMenu> menu(box->createStandardContextMenu());
        for (QAction* action : menu->actions()) {
            // Named since Qt 6.5; before that known by its (untranslated) text.
            if (action->objectName() == QLatin1String("edit-paste")
                || action->text().remove(u'&').startsWith(QLatin1String("Paste"))) {
                ASSERT_TRUE(action->isEnabled());
                action->trigger();
                return;
            }
        }
        FAIL() << "no paste action in the context menu";
    }

    // A drag from another program that ends over the end of the text.
    void drop(const QString& text)
    {
        QMimeData data;
        data.setText(text);
        const QPoint place(box->width() - 5, box->height() / 2);
        QDragEnterEvent enter(place, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(box, &enter);
        QDropEvent dropped(QPointF(place), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(box, &dropped);
    }

    // A text composed with an input method: shown while composed, then committed.
    void commitFromInputMethod(const QString& text)
    {
        QInputMethodEvent composing(text, {});
        QCoreApplication::sendEvent(box, &composing);
        QInputMethodEvent committed;
        committed.setCommitString(text);
        QCoreApplication::sendEvent(box, &committed);
    }

    static void sendKey(QWidget* target, QEvent::Type type, int key, Qt::KeyboardModifiers modifiers,
                        bool autoRepeat = false)
    {
        QKeyEvent event(type, key, modifiers, QStringLiteral("\r"), autoRepeat);
        QCoreApplication::sendEvent(target, &event);
    }

    TypedAnswerBox* box = nullptr;

private:
    std::unique_ptr<QWidget> m_window;
};

TEST_F(TypedAnswerBoxTest, EveryWayInKeepsOnlyDigitsAndCommas)
{
    for (const Way& way : ways()) {
        SCOPED_TRACE(way.name);
        box->setText(QStringLiteral("9"));
        box->end(false);
        way.put(QStringLiteral(" 1a2-,+3.4"));
        EXPECT_EQ(box->text(), QStringLiteral("912,34"));
        EXPECT_EQ(box->cursorPosition(), 6); // right after what came in

        box->setText(QStringLiteral("55"));
        way.put(QStringLiteral("abc"));
        EXPECT_EQ(box->text(), QStringLiteral("55"));
        way.put(QStringLiteral(" 0"));
        EXPECT_EQ(box->text(), QStringLiteral("550"));
    }
}

TEST_F(TypedAnswerBoxTest, ATextTooLongForTheBoxIsRefusedWhole)
{
    constexpr int limit = 6;
    useBox(limit);
    const QString full(limit, u'1');
    for (const Way& way : ways()) {
        SCOPED_TRACE(way.name);
        box->clear();
        way.put(QStringLiteral("2 ") + full);
        if (QLatin1String(way.name) == QLatin1String("typed")) {
            // Typed one key at a time: the keys past the limit are refused.
            EXPECT_EQ(box->text(), QStringLiteral("2") + full.left(limit - 1));
        } else {
            EXPECT_TRUE(box->text().isEmpty()) << box->text().toStdString();
        }
        // What is refused is counted out first: blanks take no room.
        box->clear();
        way.put(full.left(limit - 1) + QStringLiteral(" x"));
        way.put(QStringLiteral(" 3 "));
        EXPECT_EQ(box->text(), full.left(limit - 1) + u'3');
    }
}

TEST_F(TypedAnswerBoxTest, EnterGivesTheAnswerOnceWhenReleased)
{
    QSignalSpy given(box, &TypedAnswerBox::answerGiven);
    QTest::keyClicks(box, QStringLiteral("55"));

    sendKey(box, QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    EXPECT_EQ(given.size(), 0);
    // Held down: the repeated presses and releases give nothing more.
    for (int i = 0; i < 3; ++i) {
        sendKey(box, QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier, true);
        sendKey(box, QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, true);
    }
    EXPECT_EQ(given.size(), 0);
    sendKey(box, QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier);
    ASSERT_EQ(given.size(), 1);
    EXPECT_EQ(given[0][0].toString(), QStringLiteral("55"));

    QTest::keyClick(box, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(given.size(), 2);
    QTest::keyClick(box, Qt::Key_Space);
    QTest::keyClick(box, Qt::Key_Backspace);
    EXPECT_EQ(given.size(), 2);

    box->clear();
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(given.size(), 2); // an empty box gives nothing
}

} // namespace
