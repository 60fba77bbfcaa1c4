#include "support/AppFixture.h"

#include "shared/Modulo1.h"
#include "exercises/frmRuota1a.h"
#include "language/LanguageSupport.h"
#include "platform/widgets/ListTextBox.h"
#include "platform/widgets/PictureBox.h"
#include "platform/services/Random.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

using exercises::frmRuota1a;
using platform::Form;

namespace {

constexpr double kBackground = 0.0;
constexpr double kRightSound = 0.0;

// The random numbers of a question of `size` degrees with its first arm at
// `start`: background, start, class draw, and the size draw when the class
// leaves the size to chance.
QList<double> question(int size, int start = 0)
{
    const double startDraw = (start + 0.5) / 360;
    auto classDraw = [](int k) { return (k + 0.5) / 20; };
    switch (size) {
    case 90: return {kBackground, startDraw, classDraw(1)};
    case 180: return {kBackground, startDraw, classDraw(3)};
    case 360: return {kBackground, startDraw, classDraw(4)};
    default:
        return size < 180 ? QList<double>{kBackground, startDraw, classDraw(5), (size - 0.5) / 180}
                          : QList<double>{kBackground, startDraw, classDraw(11), (size - 0.5) / 360};
    }
}

class FrmRuota1aTest : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        installShippedLanguages();
        language::CurrentLanguageFile = QStringLiteral("Italiano");
        shared::SoundsOn = true; // the right answer's sound takes a random number
    }

    frmRuota1a* open(const QList<double>& numbers, std::function<void()> atFirstYield = {})
    {
        platform::Random::scriptForTesting(numbers);
        Form::show<frmRuota1a>();
        if (atFirstYield)
            QTimer::singleShot(0, qApp, std::move(atFirstYield));
        settle();
        return window<frmRuota1a>();
    }

    static QString measure(int size)
    {
        return language::LookupString(QStringLiteral("0082")) + QLatin1Char(' ') + QString::number(size) + u'°';
    }
};

TEST_F(FrmRuota1aTest, TheMeasureIsWrittenBeforeTheAngleOpens)
{
    language::CurrentLanguageFile = QStringLiteral("English");
    QString atFirstYield;
    frmRuota1a* w = open(question(135), [&] { atFirstYield = Form::instance<frmRuota1a>()->Label1->text(); });
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(atFirstYield, QStringLiteral("This angle measures 135°"));
    EXPECT_EQ(w->Label1->text(), QStringLiteral("This angle measures 135°"));
    EXPECT_EQ(w->Picture1->lines().size(), 138);
    for (const platform::ListTextBox* list : w->Text1)
        EXPECT_TRUE(list->text().isEmpty());
}

TEST_F(FrmRuota1aTest, ARightAnswerIsListedUnderItsButtonAndTheNextAngleFollows)
{
    frmRuota1a* w = open(question(90) + QList<double>{kRightSound} + question(180, 200)
                         + QList<double>{kRightSound} + question(90, 10));
    ASSERT_NE(w, nullptr);
    w->Command1->click();
    EXPECT_EQ(w->Text1[1]->text(), QStringLiteral("\r\n   90°"));
    EXPECT_EQ(w->Text1[1]->toPlainText(), QStringLiteral("\n   90°"));
    EXPECT_EQ(w->questionNumber(), 2u);
    EXPECT_EQ(w->AngleSize, 180);
    EXPECT_EQ(w->StartDegrees, 200);
    EXPECT_EQ(w->Label1->text(), measure(180));
    settle();
    EXPECT_EQ(w->Picture1->lines().size(), 183);

    w->Command3->click();
    w->Command1->click();
    EXPECT_EQ(w->Text1[3]->text(), QStringLiteral("\r\n   180°"));
    EXPECT_EQ(w->Text1[1]->text(), QStringLiteral("\r\n   90°\r\n   90°"));
    for (int index : {0, 2, 4, 5})
        EXPECT_TRUE(w->Text1[index]->text().isEmpty()) << index;
    EXPECT_EQ(w->EtichettaEsatti->text(), QStringLiteral(" 3"));
}

TEST_F(FrmRuota1aTest, AWrongAnswerKeepsTheAngleAndDrawsNothing)
{
    frmRuota1a* w = open(question(90));
    ASSERT_NE(w, nullptr);
    const int drawn = int(w->Picture1->lines().size());
    const int numbers = platform::Random::drawCountForTesting();
    for (QPushButton* wrong : {w->Command8, w->Command2, w->Command3, w->Command4, w->Command5})
        wrong->click();
    settle();
    EXPECT_EQ(shared::WrongCount, 5);
    EXPECT_EQ(w->questionNumber(), 1u);
    EXPECT_EQ(w->Label1->text(), measure(90));
    EXPECT_EQ(w->Picture1->lines().size(), drawn);
    EXPECT_EQ(platform::Random::drawCountForTesting(), numbers);
    for (const platform::ListTextBox* list : w->Text1)
        EXPECT_TRUE(list->toPlainText().isEmpty());
}

TEST_F(FrmRuota1aTest, EachButtonIsRightForItsOwnClassAloneAndListsIt)
{
    // One angle of each class, in the order of the buttons and their lists.
    const int sizes[] = {45, 90, 135, 180, 270, 360};
    QList<double> numbers;
    for (int size : sizes)
        numbers += question(size) + QList<double>{kRightSound};
    frmRuota1a* w = open(numbers + question(90));
    ASSERT_NE(w, nullptr);
    const QList<QPushButton*> buttons = {w->Command8, w->Command1, w->Command2, w->Command3, w->Command4, w->Command5};
    int wrong = 0;
    for (int right = 0; right < 6; ++right) {
        ASSERT_EQ(w->AngleSize, sizes[right]);
        for (int other = 0; other < 6; ++other) {
            if (other != right)
                buttons[other]->click();
        }
        wrong += 5;
        EXPECT_EQ(shared::WrongCount, wrong) << sizes[right];
        EXPECT_EQ(shared::CorrectCount, right) << sizes[right];
        buttons[right]->click();
        EXPECT_EQ(shared::CorrectCount, right + 1) << sizes[right];
        for (int list = 0; list < 6; ++list) {
            EXPECT_EQ(w->Text1[list]->text().isEmpty(), list > right) << sizes[right] << " list " << list;
        }
        EXPECT_EQ(w->Text1[right]->text(), QStringLiteral("\r\n   %1°").arg(sizes[right]));
    }
}

TEST_F(FrmRuota1aTest, NothingThePupilDoesInAListChangesIt)
{
    frmRuota1a* w = open(question(90) + QList<double>{kRightSound} + question(45));
    ASSERT_NE(w, nullptr);
    w->Command1->click();
    platform::ListTextBox* list = w->Text1[1];
    const QString shown = list->toPlainText();
    ASSERT_FALSE(shown.isEmpty());

    list->setFocus();
    QTest::keyClicks(list, QStringLiteral("abc"));
    QTest::keyClick(list, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(list, Qt::Key_Delete);
    QTest::keyClick(list, Qt::Key_Backspace);
    QTest::keyClick(list, Qt::Key_X, Qt::ControlModifier);
    QApplication::clipboard()->setText(QStringLiteral("999°"));
    QTest::keyClick(list, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(list, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(list, Qt::Key_Return);

    // A text dropped on it from elsewhere.
    QMimeData dropped;
    dropped.setText(QStringLiteral("999°"));
    const QPoint middle = list->viewport()->rect().center();
    QDragEnterEvent enter(middle, Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(list->viewport(), &enter);
    QDropEvent drop(QPointF(middle), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(list->viewport(), &drop);

    EXPECT_EQ(list->toPlainText(), shown);
    EXPECT_EQ(list->text(), QStringLiteral("\r\n   90°"));
}

TEST_F(FrmRuota1aTest, KeysTypedIntoAListAnswerNothingButTabAndEscapeStillWork)
{
    frmRuota1a* w = open(question(90) + QList<double>{kRightSound} + question(45));
    ASSERT_NE(w, nullptr);
    platform::ListTextBox* list = w->Text1[2];
    list->setFocus();
    for (int key = Qt::Key_0; key <= Qt::Key_9; ++key) {
        QTest::keyClick(list, Qt::Key(key));
        QTest::keyClick(list, Qt::Key(key), Qt::KeypadModifier);
    }
    QTest::keyClicks(list, QStringLiteral("a -"));
    EXPECT_EQ(shared::CorrectCount, 0);
    EXPECT_EQ(shared::WrongCount, 0);
    EXPECT_EQ(w->questionNumber(), 1u);
    for (const platform::ListTextBox* each : w->Text1)
        EXPECT_TRUE(each->toPlainText().isEmpty());
    EXPECT_EQ(w->focusWidget(), list);

    QTest::keyClick(list, Qt::Key_Tab);
    EXPECT_EQ(w->focusWidget(), w->Text1[3]);
    QTest::keyClick(w->Text1[3], Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(w->focusWidget(), list);
    answerNextBoxes({platform::MessageAnswer::No});
    QTest::keyClick(list, Qt::Key_Escape);
    EXPECT_EQ(asked().size(), 1);

    // From a button the digits answer: "2" is "retto".
    w->Command5->setFocus();
    QTest::keyClick(w->Command5, Qt::Key_2);
    EXPECT_EQ(shared::CorrectCount, 1);
    EXPECT_EQ(w->Text1[1]->text(), QStringLiteral("\r\n   90°"));
}

TEST_F(FrmRuota1aTest, ALongListShowsItsNewestEntry)
{
    QList<double> numbers;
    for (int i = 0; i < 20; ++i)
        numbers += question(360, i) + QList<double>{kRightSound};
    frmRuota1a* w = open(numbers + question(90));
    ASSERT_NE(w, nullptr);
    for (int i = 0; i < 20; ++i) {
        ASSERT_EQ(w->AngleSize, 360) << i;
        w->Command5->click();
    }
    settle();
    platform::ListTextBox* list = w->Text1[5];
    EXPECT_EQ(list->text().count(QStringLiteral("\r\n   360°")), 20);
    const QScrollBar* bar = list->verticalScrollBar();
    EXPECT_GT(bar->maximum(), 0);
    EXPECT_EQ(bar->value(), bar->maximum());
}

} // namespace
