// The complementary and supplementary angle windows: their figure, the typed
// answer and what the question label shows.
#include "support/AppFixture.h"

#include "shared/Modulo1.h"
#include "exercises/TypedAngle.h"
#include "exercises/frmRuota5.h"
#include "exercises/frmRuota6.h"
#include "language/LanguageSupport.h"
#include "platform/widgets/PictureBox.h"
#include "platform/services/Random.h"
#include "platform/services/Screen.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <cmath>

using exercises::CompletionForm;
using platform::Form;

namespace {

class CompletionWindowsTest : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        installShippedLanguages();
        language::CurrentLanguageFile = QStringLiteral("Italiano");
        shared::SoundsOn = true;
    }

    // Opens the window of the whole angle (90 or 180) on a question: background
    // colour, start, size; `later` follows. `atFirstYield` runs inside the drawing.
    CompletionForm* open(int whole, int start, int size, const QList<double>& later = {},
                         std::function<void()> atFirstYield = {})
    {
        for (Form* form : Form::loadedForms())
            form->unload();
        settle();
        platform::Random::scriptForTesting(QList<double>{0.0, (start + 0.5) / 360, (size - 0.5) / whole} + later);
        CompletionForm* w = whole == 90 ? static_cast<CompletionForm*>(Form::show<exercises::frmRuota5>())
                                        : Form::show<exercises::frmRuota6>();
        if (atFirstYield)
            QTimer::singleShot(0, qApp, std::move(atFirstYield));
        settle();
        return w;
    }

    static void answer(QLineEdit* box, const QString& text)
    {
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(box, text);
        QTest::keyClick(box, Qt::Key_Return);
    }

    static QString question(const char* const ids[3], int size)
    {
        using language::LookupString;
        return LookupString(QString::fromLatin1(ids[0])) + QStringLiteral(" %1").arg(size)
            + LookupString(QString::fromLatin1(ids[1])) + QStringLiteral("\r\n")
            + LookupString(QString::fromLatin1(ids[2]));
    }

    static Qt::Alignment horizontal(const QLabel* label) { return label->alignment() & Qt::AlignHorizontal_Mask; }
};

TEST_F(CompletionWindowsTest, TheGivenAngleIsRedAndTheRestOfTheWholeAngleYellow)
{
    const int table[][3] = {{90, 0, 90}, {90, 10, 1}, {90, 350, 35}, {180, 20, 180}, {180, 300, 150}, {180, 0, 1}};
    for (const auto& [whole, start, size] : table) {
        SCOPED_TRACE(QStringLiteral("%1 of %2 from %3").arg(size).arg(whole).arg(start).toStdString());
        CompletionForm* w = open(whole, start, size);
        ASSERT_NE(w, nullptr);
        // The first arm, then one line per degree up to the whole angle.
        const QList<platform::DrawnLine>& lines = w->Picture1->lines();
        ASSERT_EQ(lines.size(), whole + 1);
        for (int k = 0; k <= whole; ++k) {
            EXPECT_EQ(lines[k].colorIndex, k <= size ? 12 : 14) << k;
            const double degrees = std::atan2(lines[k].to.x(), -lines[k].to.y()) * 180 / M_PI;
            EXPECT_NEAR(std::remainder(degrees - (start + k), 360), 0, 1e-3) << k;
        }
        answer(w->Text1, QString::number(whole - size));
        EXPECT_EQ(shared::CorrectCount, 1);
    }
}

TEST_F(CompletionWindowsTest, AWrongAnswerStaysToBeCorrectedAndTheRightOneShowsTheEquation)
{
    struct Row {
        int whole;
        const char* ids[3];
        const char *wrong, *right, *equation;
        qreal equationPointSize;
    };
    const Row table[] = {{90, {"0034", "0035", "0036"}, "56", "55,9", " 55° +  35° = 90° ", 32},
                         {180, {"0026", "0027", "0028"}, "55", "145", " 145° +  35° = 180° ", 28}};
    for (const Row& row : table) {
        SCOPED_TRACE(row.whole);
        CompletionForm* w = open(row.whole, 40, 35, {0.0, 0.0, 100.5 / 360, 19.5 / row.whole});
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->Label1->text(), question(row.ids, 35));
        answer(w->Text1, QString::fromLatin1(row.wrong));
        EXPECT_EQ(shared::WrongCount, 1);
        EXPECT_EQ(w->Text1->text(), QString::fromLatin1(row.wrong));
        EXPECT_EQ(w->focusWidget(), w->Text1);

        answer(w->Text1, QString::fromLatin1(row.right));
        EXPECT_EQ(shared::CorrectCount, 1);
        EXPECT_EQ(w->Label1->text(), QString::fromUtf8(row.equation));
        EXPECT_EQ(horizontal(w->Label1), Qt::AlignHCenter);
        EXPECT_EQ(w->Label1->font().pointSizeF(), row.equationPointSize);
        EXPECT_EQ(w->Text1->text(), QString::fromLatin1(row.right));

        // Enter goes on; its release lands in the emptied box and judges nothing.
        QTest::keyPress(w->focusWidget(), Qt::Key_Return);
        settle();
        QTest::keyRelease(w->focusWidget(), Qt::Key_Return);
        EXPECT_EQ(shared::CorrectCount + shared::WrongCount, 2);
        EXPECT_TRUE(w->Text1->isEnabled() && w->Text1->text().isEmpty());
        EXPECT_EQ(w->focusWidget(), w->Text1);
        EXPECT_EQ(w->Label1->text(), question(row.ids, 20));
        EXPECT_EQ(horizontal(w->Label1), Qt::AlignLeft);
        EXPECT_EQ(w->Label1->font().pointSizeF(), 18);
    }
}

TEST_F(CompletionWindowsTest, OnlyDigitsCommaAndBackspaceAreTypedAndEitherEnterJudges)
{
    CompletionForm* w = open(90, 0, 35);
    ASSERT_NE(w, nullptr);
    QTest::keyClicks(w->Text1, QStringLiteral("a 1-+.2,X/3*"));
    QTest::keyPress(w->Text1, Qt::Key_Return);
    EXPECT_EQ(w->Text1->text(), "12,3");
    QTest::keyClick(w->Text1, Qt::Key_Backspace);
    EXPECT_EQ(w->Text1->text(), "12,");

    w->Text1->clear();
    QTest::keyClick(w->Text1, Qt::Key_Return);
    EXPECT_TRUE(soundsPlayed().isEmpty()); // nothing judged, nothing counted
    QTest::keyClicks(w->Text1, QStringLiteral("55"), Qt::KeypadModifier);
    QTest::keyClick(w->Text1, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(shared::CorrectCount, 1);
    EXPECT_EQ(shared::WrongCount, 0);
}

TEST_F(CompletionWindowsTest, ARightAnswerWhileTheFigureOpensKeepsItsEquation)
{
    for (const int whole : {90, 180}) {
        CompletionForm* w = open(whole, 0, 35, {}, [whole] {
            answer(static_cast<CompletionForm*>(Form::loadedForms().constLast())->Text1,
                   QString::number(whole - 35));
        });
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(shared::CorrectCount, 1);
        EXPECT_EQ(w->Picture1->lines().size(), whole + 1); // the figure finished
        EXPECT_EQ(w->Label1->text(), exercises::completionEquation(35, whole));
        EXPECT_EQ(w->focusWidget(), w->BottoneAvanti);
    }
}

// On the smallest screen, in every shipped language, the question fits the
// label and the widest equation fits on one line.
TEST_F(CompletionWindowsTest, QuestionAndEquationFitTheirLabel)
{
    platform::Screen::setSizeForTesting(QSize(800, 600));
    const QStringList files = QDir(appDir()).entryList({QStringLiteral("*.lng")}, QDir::Files);
    ASSERT_GE(files.size(), 4);
    for (const QString& file : files) {
        language::CurrentLanguageFile = QFileInfo(file).completeBaseName();
        for (const auto& [whole, pointSize] : {std::pair{90, 32}, std::pair{180, 28}}) {
            SCOPED_TRACE(file.toStdString() + " " + std::to_string(whole));
            QLabel* label = open(whole, 0, whole == 90 ? 35 : 135)->Label1;
            const int m = label->margin();
            const QRect room = label->contentsRect().marginsRemoved(QMargins(m, m, m, m));
            EXPECT_TRUE(room.contains(QFontMetrics(label->font())
                                          .boundingRect(room, int(label->alignment()) | Qt::TextWordWrap,
                                                        label->text())));
            QFont equationFont = label->font();
            equationFont.setPointSizeF(pointSize);
            EXPECT_LE(QFontMetrics(equationFont).horizontalAdvance(exercises::completionEquation(35, whole)),
                      room.width());
        }
    }
}

} // namespace
