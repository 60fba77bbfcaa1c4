// The complementary and supplementary angle windows: their figure, the typed
// answer and what the question label shows.
#include "support/AppFixture.h"

#include "app/shared/Modulo1.h"
#include "exercises/frmRuota5.h"
#include "exercises/frmRuota6.h"
#include "exercises/TypedAngle.h"
#include "language/LanguageSupport.h"
#include "platform/PictureBox.h"
#include "platform/Random.h"
#include "platform/Screen.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <cmath>

using exercises::CompletionForm;
using platform::DrawnLine;
using platform::Form;

namespace {

constexpr int kRed = 12;
constexpr int kYellow = 14;

// Clockwise degrees from straight up of a line's far end, 0 to 360.
double directionOf(const DrawnLine& line)
{
    const double d = std::atan2(line.to.x(), -line.to.y()) * 180.0 / M_PI;
    return d < -1e-3 ? d + 360.0 : d;
}

QString message(const char* id)
{
    return language::LookupString(QString::fromLatin1(id));
}

struct WindowValues {
    int whole;
    const char* ids[3];
    qreal equationPointSize;
};
const WindowValues kComplement{90, {"0034", "0035", "0036"}, 32};
const WindowValues kSupplement{180, {"0026", "0027", "0028"}, 28};

QString questionText(const WindowValues& v, int size)
{
    return message(v.ids[0]) + QStringLiteral(" %1").arg(size) + message(v.ids[1]) + QStringLiteral("\r\n")
        + message(v.ids[2]);
}

class CompletionWindowsTest : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        installShippedLanguages();
        language::CurrentLanguageFile = QStringLiteral("Italiano");
        app::SoundsOn = true;
    }

    // The random numbers of a question: background colour, start, size. A
    // right answer's sound takes one more before the next question.
    static QList<double> question(int whole, int start, int size)
    {
        return {0.0, (start + 0.5) / 360.0, (size - 0.5) / whole};
    }

    // Opens the window of the whole angle; `atFirstYield` runs once, inside
    // the first question's drawing.
    CompletionForm* open(int whole, const QList<double>& numbers, std::function<void()> atFirstYield = {})
    {
        closeAll();
        platform::Random::scriptForTesting(numbers);
        if (whole == 90)
            Form::show<exercises::frmRuota5>();
        else
            Form::show<exercises::frmRuota6>();
        if (atFirstYield)
            QTimer::singleShot(0, qApp, std::move(atFirstYield));
        settle();
        return whole == 90 ? static_cast<CompletionForm*>(window<exercises::frmRuota5>())
                           : window<exercises::frmRuota6>();
    }

    static void closeAll()
    {
        for (Form* form : Form::loadedForms())
            form->unload();
        settle();
    }

    static void retype(QLineEdit* box, const QString& text)
    {
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(box, text);
    }

    static void expectQuestion(const CompletionForm* w, const WindowValues& v, int size)
    {
        EXPECT_EQ(w->Label1->text(), questionText(v, size));
        EXPECT_EQ(w->Label1->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
        EXPECT_EQ(w->Label1->font().pointSizeF(), 18);
    }
};

TEST_F(CompletionWindowsTest, TheGivenAngleIsRedAndTheRestOfTheWholeAngleYellow)
{
    struct Row {
        int whole;
        int start;
        int size;
    };
    const Row table[] = {{90, 0, 90}, {90, 10, 1}, {90, 350, 35}, {180, 20, 180}, {180, 300, 150}, {180, 0, 1}};
    for (const Row& row : table) {
        SCOPED_TRACE(QStringLiteral("%1 of %2 from %3").arg(row.size).arg(row.whole).arg(row.start).toStdString());
        CompletionForm* w = open(row.whole, question(row.whole, row.start, row.size));
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->AngleSize, row.size);
        // The first arm, then one line per degree up to the whole angle.
        const QList<DrawnLine>& lines = w->Picture1->lines();
        ASSERT_EQ(lines.size(), row.whole + 1);
        for (int k = 0; k <= row.whole; ++k) {
            EXPECT_EQ(lines[k].colorIndex, k <= row.size ? kRed : kYellow) << k;
            EXPECT_NEAR(directionOf(lines[k]), (row.start + k) % 360, 1e-3) << k;
        }
        QTest::keyClicks(w->Text1, QString::number(row.whole - row.size));
        QTest::keyClick(w->Text1, Qt::Key_Return);
        EXPECT_EQ(app::CorrectCount, 1);
    }
}

TEST_F(CompletionWindowsTest, EveryWrongEnterCountsAndTheRightOneShowsTheEquation)
{
    struct Row {
        const WindowValues& window;
        const char* wrong;
        const char* right;
        const char* equation;
    };
    const Row table[] = {{kComplement, "56", "55,9", " 55° +  35° = 90° "},
                         {kSupplement, "55", "145", " 145° +  35° = 180° "}};
    for (const Row& row : table) {
        const int whole = row.window.whole;
        SCOPED_TRACE(whole);
        CompletionForm* w = open(whole, question(whole, 40, 35) + QList<double>{0.0} + question(whole, 100, 20));
        ASSERT_NE(w, nullptr);
        expectQuestion(w, row.window, 35);

        QTest::keyClicks(w->Text1, QString::fromLatin1(row.wrong));
        QTest::keyClick(w->Text1, Qt::Key_Return);
        QTest::keyClick(w->Text1, Qt::Key_Return);
        EXPECT_EQ(app::WrongCount, 2);
        EXPECT_EQ(w->Text1->text(), QString::fromLatin1(row.wrong));
        EXPECT_TRUE(w->Text1->isEnabled());
        EXPECT_EQ(w->focusWidget(), w->Text1);
        expectQuestion(w, row.window, 35);

        retype(w->Text1, QString::fromLatin1(row.right));
        QTest::keyClick(w->Text1, Qt::Key_Return);
        EXPECT_EQ(app::CorrectCount, 1);
        EXPECT_EQ(app::WrongCount, 2);
        EXPECT_EQ(w->Label1->text(), QString::fromUtf8(row.equation));
        EXPECT_EQ(w->Label1->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        EXPECT_EQ(w->Label1->font().pointSizeF(), row.window.equationPointSize);
        EXPECT_FALSE(w->Text1->isEnabled());
        EXPECT_EQ(w->Text1->text(), QString::fromLatin1(row.right)); // the box keeps the answer
        EXPECT_EQ(w->focusWidget(), w->BottoneAvanti);

        w->BottoneAvanti->click();
        settle();
        EXPECT_TRUE(w->Text1->isEnabled());
        EXPECT_TRUE(w->Text1->text().isEmpty());
        EXPECT_EQ(w->focusWidget(), w->Text1);
        expectQuestion(w, row.window, 20);
    }
}

TEST_F(CompletionWindowsTest, OnlyDigitsCommaAndBackspaceAreTypedAndEnterJudgesOnRelease)
{
    CompletionForm* w = open(90, question(90, 0, 35));
    ASSERT_NE(w, nullptr);
    QTest::keyClicks(w->Text1, QStringLiteral("a 1-+.2,X/3*"));
    EXPECT_EQ(w->Text1->text(), "12,3");
    QTest::keyClick(w->Text1, Qt::Key_Backspace);
    EXPECT_EQ(w->Text1->text(), "12,");
    // Enter pressed and held writes nothing and judges nothing.
    QTest::keyPress(w->Text1, Qt::Key_Return);
    EXPECT_EQ(w->Text1->text(), "12,");
    EXPECT_EQ(app::WrongCount, 0);

    for (int i = 0; i < 3; ++i)
        QTest::keyClick(w->Text1, Qt::Key_Backspace);
    EXPECT_TRUE(w->Text1->text().isEmpty());
    QTest::keyClick(w->Text1, Qt::Key_Return);
    QTest::keyClick(w->Text1, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(app::WrongCount, 0);
    EXPECT_EQ(app::CorrectCount, 0);
    EXPECT_TRUE(soundsPlayed().isEmpty());

    // The keypad's Enter answers like the main one.
    QTest::keyClicks(w->Text1, QStringLiteral("55"), Qt::KeypadModifier);
    QTest::keyClick(w->Text1, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(app::CorrectCount, 1);
}

TEST_F(CompletionWindowsTest, PastedTextIsJudgedOnItsLeadingDigits)
{
    CompletionForm* w = open(180, question(180, 0, 35));
    ASSERT_NE(w, nullptr);
    for (const char* pasted : {"abc", "1234567890123456789012345678901234567890", " 145"}) {
        w->Text1->setText(QString::fromLatin1(pasted));
        QTest::keyClick(w->Text1, Qt::Key_Return);
    }
    EXPECT_EQ(app::WrongCount, 3);
    w->Text1->setText(QStringLiteral("145 gradi"));
    QTest::keyClick(w->Text1, Qt::Key_Return);
    EXPECT_EQ(app::CorrectCount, 1);
}

TEST_F(CompletionWindowsTest, ARightAnswerWhileTheFigureOpensKeepsItsEquation)
{
    for (const WindowValues* v : {&kComplement, &kSupplement}) {
        const int whole = v->whole;
        SCOPED_TRACE(whole);
        CompletionForm* w = open(whole, question(whole, 0, 35), [whole] {
            auto* w = static_cast<CompletionForm*>(Form::loadedForms().constLast());
            QTest::keyClicks(w->Text1, QString::number(whole - 35));
            QTest::keyClick(w->Text1, Qt::Key_Return);
        });
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(app::CorrectCount, 1);
        EXPECT_EQ(w->Picture1->lines().size(), whole + 1); // the figure finished
        EXPECT_EQ(w->Label1->text(), exercises::completionEquation(35, whole));
        EXPECT_EQ(w->Label1->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        EXPECT_EQ(w->focusWidget(), w->BottoneAvanti);
    }
}

// The two-line question and the widest equation fit the label without being
// cut, in every shipped language, on the smallest and a large screen.
TEST_F(CompletionWindowsTest, QuestionAndEquationFitTheirLabel)
{
    for (const QSize screen : {QSize(800, 600), QSize(1280, 1024)}) {
        platform::Screen::setSizeForTesting(screen);
        for (const char* language : {"Italiano", "English", "Español", "Français"}) {
            language::CurrentLanguageFile = QString::fromUtf8(language);
            for (const WindowValues* v : {&kComplement, &kSupplement}) {
                SCOPED_TRACE(QStringLiteral("%1 at %2x%3, %4")
                                 .arg(QString::fromUtf8(language))
                                 .arg(screen.width())
                                 .arg(screen.height())
                                 .arg(v->whole)
                                 .toStdString());
                // 135 and 35: the most digits a question or an equation has.
                CompletionForm* w = open(v->whole, question(v->whole, 0, v->whole == 90 ? 35 : 135));
                ASSERT_NE(w, nullptr);
                QLabel* label = w->Label1;
                const int m = label->margin();
                const QRect room = label->contentsRect().marginsRemoved(QMargins(m, m, m, m));
                const QRect question = QFontMetrics(label->font()).boundingRect(
                    room, int(label->alignment()) | Qt::TextWordWrap, label->text());
                EXPECT_TRUE(room.contains(question)) << question.height() << " in " << room.height();

                QFont equationFont = label->font();
                equationFont.setPointSizeF(v->equationPointSize);
                const QString equation = exercises::completionEquation(35, v->whole);
                EXPECT_LE(QFontMetrics(equationFont).horizontalAdvance(equation), room.width());
            }
        }
    }
}

} // namespace
