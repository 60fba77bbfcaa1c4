// The estimating window: its figure, and the estimate shown beside the true
// size after every answer.
#include "support/AppFixture.h"

#include "shared/Modulo1.h"
#include "exercises/frmRuota7.h"
#include "language/LanguageSupport.h"
#include "platform/widgets/PictureBox.h"
#include "platform/services/Random.h"
#include "platform/services/Screen.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <cmath>

using exercises::frmRuota7;
using platform::Form;

namespace {

class EstimateWindowTest : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        installShippedLanguages();
        language::CurrentLanguageFile = QStringLiteral("Italiano");
        shared::SoundsOn = true;
    }

    // Opens the window on a question: background colour, start, size (of 1 to
    // 359); `later` follows.
    frmRuota7* open(int start, int size, const QList<double>& later = {})
    {
        for (Form* form : Form::loadedForms())
            form->unload();
        settle();
        platform::Random::scriptForTesting(QList<double>{0.0, (start + 0.5) / 360, (size - 0.5) / 359} + later);
        frmRuota7* w = Form::show<frmRuota7>();
        settle();
        return w;
    }

    static void answer(QLineEdit* box, const QString& text)
    {
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(box, text);
        QTest::keyClick(box, Qt::Key_Return);
    }

    // Degrees clockwise from straight up of a line from the vertex.
    static double direction(const platform::DrawnLine& line)
    {
        return std::atan2(line.to.x(), -line.to.y()) * 180 / M_PI;
    }
};

TEST_F(EstimateWindowTest, TheAngleOpensAsAYellowFanBetweenTwoRedArms)
{
    const int table[][2] = {{0, 90}, {300, 180}, {10, 1}, {90, 359}, {359, 200}};
    for (const auto& [start, size] : table) {
        SCOPED_TRACE(QStringLiteral("%1 from %2").arg(size).arg(start).toStdString());
        frmRuota7* w = open(start, size);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->AngleSize, size);
        // The first arm, one yellow line per degree, the first arm again over
        // the yellow and the second arm.
        const QList<platform::DrawnLine>& lines = w->Picture1->lines();
        ASSERT_EQ(lines.size(), size + 3);
        for (int k = 1; k <= size; ++k) {
            EXPECT_EQ(lines[k].colorIndex, 14) << k;
            EXPECT_NEAR(std::remainder(direction(lines[k]) - (start + k), 360), 0, 1e-3) << k;
        }
        for (int k : {0, size + 1, size + 2}) {
            EXPECT_EQ(lines[k].colorIndex, 12) << k;
            const int arm = k == size + 2 ? start + size : start;
            EXPECT_NEAR(std::remainder(direction(lines[k]) - arm, 360), 0, 1e-3) << k;
        }
        EXPECT_EQ(w->Label1->text(), language::LookupString(language::Message::EstimateQuestion));
        EXPECT_EQ(w->focusWidget(), w->Text1);
    }
}

TEST_F(EstimateWindowTest, EveryAnswerShowsTheEstimateBesideTheAngleAndAWrongOneMayBeTriedAgain)
{
    // 130 degrees, then 20 degrees.
    frmRuota7* w = open(40, 130, {0.0, 0.0, 100.5 / 360, 19.5 / 359});
    ASSERT_NE(w, nullptr);
    const QString comparison = language::LookupString(language::Message::EstimateComparison);
    EXPECT_TRUE(w->Label5->isHidden());

    answer(w->Text1, QStringLiteral("100"));
    EXPECT_EQ(shared::WrongCount, 1);
    EXPECT_FALSE(w->Label5->isHidden());
    EXPECT_EQ(w->Label5->text(), exercises::estimateComparison(comparison, u"100", 130));
    EXPECT_EQ(w->Text1->text(), "100"); // left to be corrected
    EXPECT_EQ(w->focusWidget(), w->Text1);

    answer(w->Text1, QStringLiteral("0145,8"));
    EXPECT_EQ(shared::CorrectCount, 1);
    EXPECT_EQ(w->Label5->text(), exercises::estimateComparison(comparison, u"145", 130));
    EXPECT_FALSE(w->Label5->isHidden());
    EXPECT_EQ(w->focusWidget(), w->BottoneAvanti);

    // The next question starts without the last comparison.
    w->BottoneAvanti->click();
    settle();
    EXPECT_EQ(w->AngleSize, 20);
    EXPECT_TRUE(w->Label5->isHidden());
    EXPECT_TRUE(w->Label5->text().isEmpty());
    EXPECT_TRUE(w->Text1->text().isEmpty());
    EXPECT_EQ(w->focusWidget(), w->Text1);
}

// On the smallest screen, in every shipped language, the question and the
// longest comparison fit their labels, and the comparison shows both numbers.
TEST_F(EstimateWindowTest, QuestionAndComparisonFitTheirLabelsInEveryLanguage)
{
    platform::Screen::setSizeForTesting(QSize(800, 600));
    const auto fits = [](const QLabel* label) {
        const int m = label->margin();
        const QRect room = label->contentsRect().marginsRemoved(QMargins(m, m, m, m));
        const QRect needed = QFontMetrics(label->font())
                                 .boundingRect(room, int(label->alignment()) | Qt::TextWordWrap, label->text());
        return room.contains(needed);
    };
    const QStringList languages = QDir(appDir()).entryList({QStringLiteral("*.lng")}, QDir::Files);
    ASSERT_FALSE(languages.isEmpty());
    for (const QString& file : languages) {
        SCOPED_TRACE(file.toStdString());
        language::CurrentLanguageFile = file.chopped(4);
        frmRuota7* w = open(0, 358);
        ASSERT_NE(w, nullptr);
        EXPECT_TRUE(fits(w->Label1)) << w->Label1->text().toStdString();
        answer(w->Text1, QStringLiteral("199"));
        const QString shown = w->Label5->text();
        EXPECT_TRUE(shown.contains(QStringLiteral("199")) && shown.contains(QStringLiteral("358")))
            << shown.toStdString();
        EXPECT_TRUE(fits(w->Label5)) << shown.toStdString();
    }
}

} // namespace
