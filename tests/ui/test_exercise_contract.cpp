// What every exercise window owes the pupil, tested once for every window the
// program registers.
//
// To add a window, write one traits block below and add it to ExerciseTypes:
//   struct Ruota9 {
//       using Window = exercises::frmRuota9;
//       static constexpr const char* kName = "frmRuota9";          // its registered name
//       static QList<double> question();   // the random numbers of one question after its
//                                          // background colour; its figure takes several yields
//       static void answerRight(Window&);  // a right answer to that question, as a pupil gives it
//       static void answerWrong(Window&);  // a wrong one
//   };
// answerRight must work from the first yield of the question's drawing on.
// A window whose question is built step by step also gives
//       static void answerInPart(Window&); // one step, not yet an answer
#include "app/FormMenu.h"
#include "app/WindowCatalog.h"
#include "shared/Modulo1.h"
#include "shared/ModuloColoriSuoni.h"
#include "exercise/ExerciseForm.h"
#include "exercises/frmRuota.h"
#include "exercises/frmRuota1.h"
#include "exercises/frmRuota1a.h"
#include "exercises/frmRuota2.h"
#include "exercises/frmRuota3.h"
#include "exercises/frmRuota4.h"
#include "exercises/frmRuota5.h"
#include "exercises/frmRuota6.h"
#include "exercises/frmRuota7.h"
#include "exercises/frmRuota8.h"
#include "language/LanguageSupport.h"
#include "platform/widgets/PictureBox.h"
#include "platform/widgets/PressButton.h"
#include "platform/services/Random.h"
#include "results/QuestionText.h"
#include "results/Recording.h"
#include "results/ResultsStore.h"
#include "sound/SoundPlayer.h"
#include "support/AppFixture.h"
#include "support/Places.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QTest>
#include <QTimer>

namespace {

using platform::Form;
using platform::MessageAnswer;

struct Ruota {
    using Window = exercises::frmRuota;
    static constexpr const char* kName = "frmRuota";
    static QList<double> question() { return {0.5 / 360, 10.5 / 360}; } // first arm up, 10 degrees asked
    // From nothing again, one turn of 10 degrees, then "conferma".
    static void answerRight(Window& w)
    {
        w.Command9->click();
        QTest::mouseClick(w.Command1, Qt::LeftButton);
        w.Command8->click();
    }
    static void answerWrong(Window& w) { w.Command8->click(); } // never after a right one
    // A step toward the answer: one turn of 10 degrees.
    static void answerInPart(Window& w) { QTest::mouseClick(w.Command1, Qt::LeftButton); }
};

struct Ruota1 {
    using Window = exercises::frmRuota1;
    static constexpr const char* kName = "frmRuota1";
    static QList<double> question() { return {0.5 / 360, 7.5 / 12}; } // start 0, 120 degrees
    static void answerRight(Window& w) { w.Command2->click(); }
    static void answerWrong(Window& w) { w.Command8->click(); }
};

struct Ruota3 {
    using Window = exercises::frmRuota3;
    static constexpr const char* kName = "frmRuota3";
    static QList<double> question() { return {4.5 / 36, 6.5 / 36}; } // 50 and 70 degrees
    static void answerRight(Window& w) { w.Command8->click(); }
    static void answerWrong(Window& w) { w.Command2->click(); }
};

struct Ruota4 {
    using Window = exercises::frmRuota4;
    static constexpr const char* kName = "frmRuota4";
    // Box 1 holds the right angle (chosen first, so it answers from the first
    // yield on), the others 30 degrees, all from straight up. This window draws
    // each box's numbers just before drawing that box, so the sound of an
    // answer given meanwhile takes its number from the middle of the question:
    // with every number alike both questions still come out the same.
    static QList<double> question() { return QList<double>(12, 0.0); }
    static void answerRight(Window& w) { QTest::mouseClick(w.Picture1, Qt::LeftButton); }
    static void answerWrong(Window& w) { QTest::mouseClick(w.Picture2, Qt::LeftButton); }
};

// Replaces what the answer box holds with `answer` and presses Enter.
void typeAnswer(QLineEdit* box, const char* answer)
{
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(box, QString::fromLatin1(answer));
    QTest::keyClick(box, Qt::Key_Return);
}

struct Ruota5 {
    using Window = exercises::frmRuota5;
    static constexpr const char* kName = "frmRuota5";
    static QList<double> question() { return {0.5 / 360, 34.5 / 90}; } // start 0, 35 degrees
    static void answerRight(Window& w) { typeAnswer(w.Text1, "55"); }
    static void answerWrong(Window& w) { typeAnswer(w.Text1, "56"); }
};

struct Ruota6 {
    using Window = exercises::frmRuota6;
    static constexpr const char* kName = "frmRuota6";
    static QList<double> question() { return {0.5 / 360, 34.5 / 180}; } // start 0, 35 degrees
    static void answerRight(Window& w) { typeAnswer(w.Text1, "145"); }
    static void answerWrong(Window& w) { typeAnswer(w.Text1, "55"); }
};

struct Ruota2 {
    using Window = exercises::frmRuota2;
    static constexpr const char* kName = "frmRuota2";
    static QList<double> question() { return {0.5 / 360, 11.5 / 17, 0.25}; } // start 0, 120 degrees
    static void answerRight(Window& w) { w.Command1->click(); }
    static void answerWrong(Window& w) { w.Command8->click(); }
};

struct Ruota1a {
    using Window = exercises::frmRuota1a;
    static constexpr const char* kName = "frmRuota1a";
    static QList<double> question() { return {0.5 / 360, 1.5 / 20}; } // start 0, a right angle
    static void answerRight(Window& w) { w.Command1->click(); }
    static void answerWrong(Window& w) { w.Command8->click(); }
};

struct Ruota7 {
    using Window = exercises::frmRuota7;
    static constexpr const char* kName = "frmRuota7";
    static QList<double> question() { return {0.5 / 360, 34.5 / 359}; } // start 0, 35 degrees
    static void answerRight(Window& w) { typeAnswer(w.Text1, "50"); }    // 15 over
    static void answerWrong(Window& w) { typeAnswer(w.Text1, "51"); }    // 16 over
};

struct Ruota8 {
    using Window = exercises::frmRuota8;
    static constexpr const char* kName = "frmRuota8";
    static QList<double> question() { return {0.5 / 360, 34.5 / 180}; } // start 0, 35 degrees
    static void answerRight(Window& w) { typeAnswer(w.Text1, "35"); }
    static void answerWrong(Window& w) { typeAnswer(w.Text1, "145"); }
};

using ExerciseTypes =
    ::testing::Types<Ruota, Ruota1, Ruota3, Ruota4, Ruota5, Ruota6, Ruota2, Ruota1a, Ruota7, Ruota8>;

// Every registered exercise has its traits here.
template <class... T> QStringList traitNames(::testing::Types<T...>)
{
    return {QString::fromLatin1(T::kName)...};
}

// The figure of every drawing box, for comparing two runs.
QList<QList<platform::DrawnLine>> figures(const exercise::ExerciseForm& w)
{
    QList<QList<platform::DrawnLine>> all;
    for (const platform::PictureBox* box : w.parts().drawingBoxes)
        all.append(box->lines());
    return all;
}

// "3 lines, 12 lines": enough to tell two runs apart in a failure message.
std::string describe(const QList<QList<platform::DrawnLine>>& figures)
{
    QStringList boxes;
    for (const auto& lines : figures)
        boxes.append(QStringLiteral("%1 lines").arg(lines.size()));
    return boxes.join(QStringLiteral(", ")).toStdString();
}

template <class Traits> class ExerciseContract : public AppFixture {
protected:
    using Window = typename Traits::Window;

    void SetUp() override
    {
        AppFixture::SetUp();
        installShippedLanguages();
        language::CurrentLanguageFile = QStringLiteral("Italiano");
        shared::SoundsOn = true;
        shared::ExitPromptText = QStringLiteral("Vuoi uscire?");
        shared::CorrectLabelText = QStringLiteral("Esatti");
        shared::WrongLabelText = QStringLiteral("Errati");
    }

    // The random numbers of one question: background colour entry 1, then the question's.
    static QList<double> oneQuestion() { return QList<double>{0.0} + Traits::question(); }
    // A question, the right answer's sound, and the same question again.
    static QList<double> twoQuestions() { return oneQuestion() + QList<double>{0.0} + oneQuestion(); }

    // Opens the window on the given random numbers. `atFirstYield` runs once,
    // at the first yield of the first question's drawing.
    Window* open(const QList<double>& numbers = oneQuestion(), std::function<void()> atFirstYield = {})
    {
        platform::Random::scriptForTesting(numbers);
        Form::show<Window>();
        // Queued behind the window's activation, which asks the first question.
        if (atFirstYield)
            QTimer::singleShot(0, qApp, std::move(atFirstYield));
        settle();
        return Form::instance<Window>();
    }

    static QPushButton* menuButton(app::FormMenu& menu)
    {
        for (const app::WindowEntry& e : app::exerciseWindows()) {
            if (e.name == QLatin1String(Traits::kName))
                return qobject_cast<QPushButton*>(menu.control(e.menuButton));
        }
        return nullptr;
    }

    static bool hasNext(const Window& w) { return w.parts().hasNextButton; }

    // Everything a pupil can press, click or type into, found among the window's
    // widgets rather than in what it declares: a control it forgot to declare is
    // pressed too. The step buttons of "costruisci l'angolo" turn with the left
    // mouse button and back with any other.
    static void useEveryControlBut(exercise::ExerciseForm& w, const QList<QWidget*>& spared)
    {
        for (QWidget* control : w.findChildren<QWidget*>()) {
            if (spared.contains(control) || !control->isVisible())
                continue;
            if (qobject_cast<QAbstractButton*>(control)) {
                QTest::mouseClick(control, Qt::LeftButton);
                QTest::mouseClick(control, Qt::RightButton);
            } else if (qobject_cast<platform::PictureBox*>(control)) {
                QTest::mouseClick(control, Qt::LeftButton);
            } else if (auto* box = qobject_cast<QLineEdit*>(control)) {
                QTest::keyClick(box, Qt::Key_5);
                QTest::keyClick(box, Qt::Key_Return);
            }
            settle();
        }
    }
};

TYPED_TEST_SUITE(ExerciseContract, ExerciseTypes);

TYPED_TEST(ExerciseContract, OpensOnAFreshQuestionWithZeroCounts)
{
    auto* w = this->open();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->EtichettaEsatti->text(), " 0");
    EXPECT_EQ(w->EtichettaErrati->text(), " 0");
    EXPECT_FALSE(w->ComandoIconaSi->isHidden());
    EXPECT_TRUE(w->ComandoIconaNo->isHidden());
    EXPECT_EQ(w->BottoneAvanti != nullptr, this->hasNext(*w));
    if (w->BottoneAvanti) {
        EXPECT_FALSE(w->BottoneAvanti->isHidden());
        EXPECT_FALSE(w->BottoneAvanti->isEnabled());
    }
    if (w->parts().measureMessage) {
        EXPECT_TRUE(w->parts().measureMessage->isHidden());
    }
    EXPECT_EQ(w->questionNumber(), 1u);
    EXPECT_EQ(w->backColor(), shared::backColorEntry(1));
    EXPECT_FALSE(w->parts().answerControls.isEmpty());
    for (QWidget* control : w->parts().answerControls)
        EXPECT_TRUE(control->isEnabled()) << control->objectName().toStdString();
    EXPECT_EQ(w->focusWidget(), w->parts().questionFocus);
    bool drawn = false;
    for (const auto& figure : figures(*w))
        drawn = drawn || !figure.isEmpty();
    EXPECT_TRUE(drawn);
}

TYPED_TEST(ExerciseContract, EveryWrongTryCountsAndTheRightAnswerCountsOnce)
{
    auto* w = this->open();
    ASSERT_NE(w, nullptr);
    TypeParam::answerWrong(*w);
    TypeParam::answerWrong(*w);
    EXPECT_EQ(shared::WrongCount, 2);
    EXPECT_EQ(w->EtichettaErrati->text(), " 2");
    EXPECT_TRUE(w->ComandoIconaSi->isHidden());
    EXPECT_FALSE(w->ComandoIconaNo->isHidden());
    EXPECT_EQ(shared::CorrectCount, 0);
    if (w->parts().measureMessage) {
        EXPECT_TRUE(w->parts().measureMessage->isHidden());
    }

    TypeParam::answerRight(*w);
    EXPECT_EQ(shared::CorrectCount, 1);
    EXPECT_EQ(shared::WrongCount, 2);
    EXPECT_EQ(w->EtichettaEsatti->text(), " 1");
    EXPECT_FALSE(w->ComandoIconaSi->isHidden());
    EXPECT_TRUE(w->ComandoIconaNo->isHidden());
    ASSERT_EQ(this->soundsPlayed().size(), 3);
    EXPECT_TRUE(this->soundsPlayed()[0].endsWith("/suoni/no.wav"));
    EXPECT_TRUE(this->soundsPlayed()[1].endsWith("/suoni/no.wav"));
    EXPECT_TRUE(this->soundsPlayed()[2].contains("/suoni/si"));
}

TYPED_TEST(ExerciseContract, ARightAnswerLocksTheAnswersUntilTheNextQuestion)
{
    auto* w = this->open(this->twoQuestions());
    ASSERT_NE(w, nullptr);
    QWidget* lastAnswer = w->parts().answerControls.last();
    lastAnswer->setFocus();
    TypeParam::answerRight(*w);
    if (!this->hasNext(*w)) {
        // Without "avanti" the next question comes at once, open to answers,
        // and a keyboard user keeps their place.
        EXPECT_EQ(w->questionNumber(), 2u);
        EXPECT_EQ(w->focusWidget(), lastAnswer);
        for (QWidget* control : w->parts().answerControls)
            EXPECT_TRUE(control->isEnabled()) << control->objectName().toStdString();
        return;
    }
    for (QWidget* control : w->parts().answerControls)
        EXPECT_FALSE(control->isEnabled()) << control->objectName().toStdString();
    EXPECT_TRUE(w->BottoneAvanti->isEnabled());
    EXPECT_EQ(w->focusWidget(), w->BottoneAvanti);
    if (w->parts().measureMessage) {
        EXPECT_FALSE(w->parts().measureMessage->isHidden());
    }
    TypeParam::answerWrong(*w); // locked: neither judged nor counted
    EXPECT_EQ(shared::WrongCount, 0);

    w->BottoneAvanti->click();
    AppFixture::settle();
    EXPECT_EQ(w->questionNumber(), 2u);
    for (QWidget* control : w->parts().answerControls)
        EXPECT_TRUE(control->isEnabled()) << control->objectName().toStdString();
    EXPECT_FALSE(w->BottoneAvanti->isEnabled());
    if (w->parts().measureMessage) {
        EXPECT_TRUE(w->parts().measureMessage->isHidden());
    }
    EXPECT_FALSE(w->ComandoIconaSi->isHidden()); // the last answer's icon stays
    EXPECT_EQ(shared::CorrectCount, 1);
}

TYPED_TEST(ExerciseContract, ANewQuestionDuringTheDrawingStopsTheOldFigure)
{
    // The next question drawn alone, to compare with.
    auto* first = this->open();
    ASSERT_NE(first, nullptr);
    const auto alone = figures(*first);
    for (Form* form : Form::loadedForms())
        form->unload();
    AppFixture::settle();

    // A right answer while the first figure opens, then the next question at
    // once: the answer is judged on the values already chosen, and the first
    // figure draws nothing into the second.
    using Window = typename TypeParam::Window;
    auto* w = this->open(this->twoQuestions(), [] {
        Window* w = Form::instance<Window>();
        ASSERT_NE(w, nullptr);
        TypeParam::answerRight(*w);
        if (w->BottoneAvanti)
            w->BottoneAvanti->click();
    });
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(shared::CorrectCount, 1);
    EXPECT_EQ(w->questionNumber(), 2u);
    EXPECT_TRUE(figures(*w) == alone) << describe(figures(*w)) << " instead of " << describe(alone);
}

TYPED_TEST(ExerciseContract, EsciDuringTheDrawingGoesBackToTheMenu)
{
    using Window = typename TypeParam::Window;
    this->open(this->oneQuestion(), [] { Form::instance<Window>()->Command7->click(); });
    EXPECT_EQ(Form::instance<Window>(), nullptr);
    ASSERT_EQ(Form::loadedForms().size(), 1);
    EXPECT_NE(Form::instance<app::FormMenu>(), nullptr);
}

TYPED_TEST(ExerciseContract, EsciAsksFirstAndYesTwiceLeavesOnce)
{
    using Window = typename TypeParam::Window;
    auto* w = this->open();
    ASSERT_NE(w, nullptr);
    TypeParam::answerWrong(*w);
    this->answerNextBoxes({MessageAnswer::No});
    w->Command7->click();
    ASSERT_EQ(this->asked().size(), 1);
    EXPECT_EQ(this->asked()[0].prompt, shared::ExitPromptText);
    EXPECT_EQ(this->asked()[0].buttons, platform::MessageButtons::YesNo);
    EXPECT_EQ(this->asked()[0].title, shared::messageBoxTitle());
    EXPECT_EQ(Form::instance<Window>(), w);
    EXPECT_EQ(shared::WrongCount, 1);

    // A second "esci" arrives while the menu is being loaded: it does nothing.
    QTimer::singleShot(0, qApp, [] {
        if (Window* again = Form::instance<Window>())
            again->Command7->click();
    });
    w->Command7->click();
    AppFixture::settle();
    EXPECT_EQ(Form::instance<Window>(), nullptr);
    ASSERT_EQ(Form::loadedForms().size(), 1);
    EXPECT_NE(Form::instance<app::FormMenu>(), nullptr);
    EXPECT_EQ(shared::WrongCount, 0);
}

TYPED_TEST(ExerciseContract, TheMenuOpensItOnceAndAFreshVisitStartsFromZero)
{
    using Window = typename TypeParam::Window;
    Form::show<app::FormMenu>();
    AppFixture::settle();
    QPushButton* button = this->menuButton(*this->template window<app::FormMenu>());
    ASSERT_NE(button, nullptr);
    EXPECT_TRUE(button->isEnabled());

    // A double click: the second arrives while the window loads.
    platform::Random::scriptForTesting(this->oneQuestion());
    QTimer::singleShot(0, qApp, [button = QPointer<QPushButton>(button)] {
        if (button)
            button->click();
    });
    button->click();
    AppFixture::settle();
    ASSERT_EQ(Form::loadedForms().size(), 1);
    Window* w = this->template window<Window>();
    ASSERT_NE(w, nullptr);
    TypeParam::answerWrong(*w);
    w->Command7->click();
    AppFixture::settle();

    platform::Random::scriptForTesting(this->oneQuestion());
    this->menuButton(*this->template window<app::FormMenu>())->click();
    AppFixture::settle();
    w = this->template window<Window>();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->EtichettaErrati->text(), " 0");
    EXPECT_EQ(shared::WrongCount, 0);
}

TYPED_TEST(ExerciseContract, EscapeAndTheCloseButtonAskAsEsciDoesAndEnterPressesAFocusedAnswer)
{
    using Window = typename TypeParam::Window;
    auto* w = this->open();
    ASSERT_NE(w, nullptr);
    this->answerNextBoxes({MessageAnswer::No, MessageAnswer::No});
    QTest::keyClick(w, Qt::Key_Escape);
    w->close();
    ASSERT_EQ(this->asked().size(), 2);
    EXPECT_EQ(this->asked()[0].prompt, shared::ExitPromptText);
    EXPECT_EQ(this->asked()[1].prompt, shared::ExitPromptText);
    EXPECT_EQ(Form::instance<Window>(), w);
    EXPECT_TRUE(w->isVisible());

    QList<QAbstractButton*> buttons;
    for (QWidget* control : w->parts().answerControls) {
        if (auto* button = qobject_cast<QAbstractButton*>(control))
            buttons.append(button);
    }
    int pressed = 0;
    for (QAbstractButton* button : buttons)
        QObject::connect(button, &QAbstractButton::clicked, w, [&pressed] { ++pressed; });
    // Enter presses a focused button as Space does.
    for (QAbstractButton* button : buttons) {
        if (button->isEnabled()) {
            QTest::keyClick(button, Qt::Key_Return);
            EXPECT_EQ(pressed, 1);
            break;
        }
    }
}

TYPED_TEST(ExerciseContract, DigitsPressTheDeclaredChoicesAndNothingElse)
{
    using Window = typename TypeParam::Window;
    auto* w = this->open(this->twoQuestions());
    ASSERT_NE(w, nullptr);
    // Where a question is built, a stray digit must not undo the building.
    if constexpr (requires(Window& window) { TypeParam::answerInPart(window); })
        TypeParam::answerInPart(*w);
    const auto figureBefore = figures(*w);

    // Every control the window has that can be pressed, as it is pressed.
    QList<QWidget*> pressed;
    QObject recorder;
    for (QAbstractButton* button : w->template findChildren<QAbstractButton*>())
        QObject::connect(button, &QAbstractButton::pressed, &recorder, [&pressed, button] { pressed.append(button); });
    for (platform::PictureBox* box : w->template findChildren<platform::PictureBox*>())
        QObject::connect(box, &platform::PictureBox::clicked, &recorder, [&pressed, box] { pressed.append(box); });

    const QList<QWidget*> choices = w->parts().choices;
    if (choices.isEmpty()) {
        for (int digit = 1; digit <= 9; ++digit) {
            QTest::keyClick(w, Qt::Key(Qt::Key_0 + digit));
            QTest::keyClick(w, Qt::Key(Qt::Key_0 + digit), Qt::KeypadModifier);
        }
        AppFixture::settle();
        EXPECT_TRUE(pressed.isEmpty()) << pressed.first()->objectName().toStdString();
        EXPECT_EQ(shared::CorrectCount, 0);
        EXPECT_EQ(shared::WrongCount, 0);
        EXPECT_EQ(w->questionNumber(), 1u);
        EXPECT_TRUE(figures(*w) == figureBefore) << describe(figures(*w)) << " instead of " << describe(figureBefore);
        return;
    }

    QList<QWidget*> reached;
    for (int digit = 1; digit <= choices.size(); ++digit) {
        pressed.clear();
        QTest::keyClick(w, Qt::Key(Qt::Key_0 + digit));
        ASSERT_EQ(pressed.size(), 1) << digit;
        reached.append(pressed.first());
        // A right answer locks the choices until the next question.
        if (w->BottoneAvanti && w->BottoneAvanti->isEnabled()) {
            w->BottoneAvanti->click();
            AppFixture::settle();
        }
    }
    EXPECT_EQ(QSet<QWidget*>(reached.begin(), reached.end()), QSet<QWidget*>(choices.begin(), choices.end()));
    // In reading order: row by row, each row from the left.
    const auto place = [w](const QWidget* control) { return control->mapTo(w, QPoint(0, 0)); };
    for (int k = 1; k < reached.size(); ++k) {
        const QPoint before = place(reached[k - 1]);
        const QPoint after = place(reached[k]);
        EXPECT_TRUE(after.y() > before.y() || (after.y() == before.y() && after.x() > before.x()))
            << reached[k]->objectName().toStdString() << " after " << reached[k - 1]->objectName().toStdString();
    }
    pressed.clear();
    QTest::keyClick(w, Qt::Key(Qt::Key_0 + int(choices.size()) + 1)); // no such choice
    EXPECT_TRUE(pressed.isEmpty());
}

TYPED_TEST(ExerciseContract, AssistiveTechnologyHearsTheIconsAndNeverTheAnswerBeforeItIsGiven)
{
    auto* w = this->open();
    ASSERT_NE(w, nullptr);
    const auto name = [](QWidget* widget) {
        return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
    };
    EXPECT_EQ(name(w->ComandoIconaSi), shared::CorrectLabelText);
    EXPECT_EQ(name(w->ComandoIconaNo), shared::WrongLabelText);
    for (platform::PictureBox* box : w->parts().drawingBoxes) {
        QAccessibleInterface* picture = QAccessible::queryAccessibleInterface(box);
        EXPECT_EQ(picture->role(), QAccessible::Graphic);
        EXPECT_FALSE(picture->text(QAccessible::Name).isEmpty()) << box->objectName().toStdString();
    }
    // No hidden label holds a measure the pupil has not found yet.
    for (QLabel* label : w->template findChildren<QLabel*>()) {
        if (label->isHidden()) {
            EXPECT_FALSE(label->text().contains(QChar(0x00B0))) << label->objectName().toStdString();
        }
    }
    TypeParam::answerWrong(*w);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(w->ComandoIconaNo)->text(QAccessible::Description),
              shared::WrongLabelText);
}

TYPED_TEST(ExerciseContract, APartialTranslationLeavesEveryDrawingBoxItsDesignName)
{
    // A translation that gives the window's title and nothing else.
    const QByteArray window = QByteArray(TypeParam::kName);
    this->writeFile(QStringLiteral("Parziale.lng"),
                    "[Strings]\r\n0001=\"?\"\r\n[" + window + "]\r\n" + window + ".Caption=\"x\"\r\n");
    language::CurrentLanguageFile = QStringLiteral("Parziale");
    auto* w = this->open();
    ASSERT_NE(w, nullptr);
    QList<platform::PictureBox*> boxes = w->parts().drawingBoxes;
    boxes.append(qobject_cast<platform::PictureBox*>(w->PicturesattiErrati));
    for (platform::PictureBox* box : boxes) {
        ASSERT_NE(box, nullptr);
        const QString name = QAccessible::queryAccessibleInterface(box)->text(QAccessible::Name);
        EXPECT_FALSE(name.isEmpty()) << box->objectName().toStdString();
    }
}

TYPED_TEST(ExerciseContract, WrittenRightToLeftTheControlsAreMirroredAndTheFiguresDrawnAsTheyAre)
{
    this->writeRightToLeftLanguage(QStringLiteral("Destra"));
    QList<QImage> leftToRight;
    Places places;
    for (const QString language : {"Italiano", "Destra"}) {
        language::CurrentLanguageFile = language;
        auto* w = this->open();
        ASSERT_NE(w, nullptr);
        QList<QImage> images;
        for (platform::PictureBox* box : w->parts().drawingBoxes)
            images.append(box->grab().toImage());
        if (language == "Italiano") {
            leftToRight = images;
            places = placesOf(*w);
            w->unload();
            this->settle();
            continue;
        }
        EXPECT_TRUE(w->isMirrored());
        EXPECT_EQ(placesOf(*w), mirroredPlaces(*w, places));
        // Pixel for pixel: angles turn clockwise from straight up in every language.
        ASSERT_EQ(images.size(), leftToRight.size());
        for (qsizetype i = 0; i < images.size(); ++i)
            EXPECT_TRUE(images[i] == leftToRight[i]) << "drawing box " << i;
    }
}

TYPED_TEST(ExerciseContract, AfterARightAnswerNothingButAvantiAndEsciCanChangeACount)
{
    auto* w = this->open();
    ASSERT_NE(w, nullptr);
    TypeParam::answerRight(*w);
    ASSERT_EQ(shared::CorrectCount, 1);
    // Without "avanti" the next question is already open to its answers.
    QList<QWidget*> spared = {w->BottoneAvanti, w->Command7};
    if (!this->hasNext(*w))
        spared += w->parts().answerControls;
    this->useEveryControlBut(*w, spared);
    if (this->hasNext(*w)) {
        for (int digit = 1; digit <= 9; ++digit)
            QTest::keyClick(w, Qt::Key(Qt::Key_0 + digit));
    }
    AppFixture::settle();
    EXPECT_EQ(shared::CorrectCount, 1);
    EXPECT_EQ(shared::WrongCount, 0);
    EXPECT_EQ(w->EtichettaEsatti->text(), " 1");
    EXPECT_EQ(w->EtichettaErrati->text(), " 0");
}

TYPED_TEST(ExerciseContract, ARightAndAWrongAnswerAreEachKeptOnceBeforeTheirSoundWithWhatWasAskedAndGiven)
{
    results::Recording recording(results::ResultsStore::defaultPath());
    results::AnswerRecorder::install(&recording);
    const QString pupil = QStringLiteral("Zoë O'Brien 🦊");
    recording.setPupil(pupil);
    // What is kept when each sound starts.
    QList<int> keptAtSound;
    sound::SoundPlayer::setRecorderForTesting(
        [&](const QString&) { keptAtSound.append(recording.store().answerCount()); });
    const QDateTime before = QDateTime::currentDateTimeUtc();
    auto* w = this->open(this->twoQuestions());
    ASSERT_NE(w, nullptr);
    TypeParam::answerWrong(*w);
    TypeParam::answerRight(*w);
    // The counts keep their rules beside the record.
    EXPECT_EQ(shared::WrongCount, 1);
    EXPECT_EQ(shared::CorrectCount, 1);
    EXPECT_EQ(keptAtSound, (QList<int>{1, 2}));
    // The next question's first answer is its first try again.
    if (w->BottoneAvanti) {
        w->BottoneAvanti->click();
        AppFixture::settle();
    }
    ASSERT_EQ(w->questionNumber(), 2u);
    TypeParam::answerWrong(*w);
    const QDateTime after = QDateTime::currentDateTimeUtc();

    QList<results::AnswerRecord> kept;
    ASSERT_TRUE(recording.store().forEachAnswer({}, [&](const results::AnswerRecord& a) { kept.append(a); }));
    ASSERT_EQ(kept.size(), 3);
    const QList<std::pair<bool, int>> verdictAndTry = {{false, 1}, {true, 2}, {false, 1}};
    QSet<QUuid> ids;
    for (qsizetype i = 0; i < kept.size(); ++i) {
        const results::AnswerRecord& a = kept[i];
        SCOPED_TRACE(i);
        ids.insert(a.id);
        EXPECT_EQ(a.right, verdictAndTry[i].first);
        EXPECT_EQ(a.attempt, verdictAndTry[i].second);
        EXPECT_EQ(a.pupil, pupil);
        EXPECT_EQ(a.exercise, QLatin1String(TypeParam::kName));
        EXPECT_EQ(a.language, QStringLiteral("Italiano"));
        EXPECT_TRUE(a.round.isEmpty());
        EXPECT_EQ(a.answeredAt.timeSpec(), Qt::UTC);
        EXPECT_GE(a.answeredAt, before.addMSecs(-1));
        EXPECT_LE(a.answeredAt, after.addMSecs(1));
        EXPECT_GE(a.secondsShown, 0.0);
        EXPECT_LE(a.secondsShown, double(before.msecsTo(after)) / 1000.0 + 0.01);
        // What was asked and what was given, in words that read back.
        EXPECT_FALSE(results::QuestionText::parse(a.question).items().isEmpty()) << a.question.toStdString();
        EXPECT_FALSE(results::QuestionText::parse(a.answer).items().isEmpty()) << a.answer.toStdString();
    }
    EXPECT_EQ(ids.size(), 3);
    // Both answers to the first question name the same question, and differ.
    EXPECT_EQ(kept[0].question, kept[1].question);
    EXPECT_NE(kept[0].answer, kept[1].answer);
    EXPECT_EQ(recording.problem(), QString());
}

TEST(ExerciseCatalog, EveryRegisteredExerciseHasItsContractAndItsOwnButton)
{
    QStringList registered;
    QStringList buttons;
    for (const app::WindowEntry& e : app::exerciseWindows()) {
        registered.append(e.name);
        buttons.append(e.menuButton);
    }
    QStringList tested = traitNames(ExerciseTypes());
    registered.sort();
    tested.sort();
    EXPECT_EQ(registered, tested);
    buttons.removeDuplicates();
    EXPECT_EQ(buttons.size(), registered.size());
}

} // namespace
