// The estimating window: its figure, and the estimate shown beside the true
// size after every answer, in every shipped language.
#include "support/AppFixture.h"

#include "shared/Modulo1.h"
#include "exercises/frmRuota7.h"
#include "language/LanguageSupport.h"
#include "language/TextDirection.h"
#include "platform/widgets/PictureBox.h"
#include "platform/services/Random.h"
#include "platform/services/Screen.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <cmath>

using exercises::frmRuota7;

namespace {

class EstimateWindowTest : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        installShippedLanguages();
        language::CurrentLanguageFile = QStringLiteral("Italiano");
        shared::SoundsOn = true; // a right answer's sound takes a random number
    }

    // Opens the window on an angle (background colour, start, size); `later` follows.
    frmRuota7* open(int start, int size, const QList<double>& later = {})
    {
        for (platform::Form* form : platform::Form::loadedForms())
            form->unload();
        settle();
        platform::Random::scriptForTesting(QList<double>{0.0, (start + 0.5) / 360, (size - 0.5) / 359} + later);
        frmRuota7* w = platform::Form::show<frmRuota7>();
        settle();
        return w;
    }

    static void answer(frmRuota7* w, const char* text)
    {
        QTest::keyClick(w->Text1, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(w->Text1, QString::fromLatin1(text));
        QTest::keyClick(w->Text1, Qt::Key_Return);
    }
};

TEST_F(EstimateWindowTest, TheAngleOpensAsAYellowFanBetweenTwoRedArms)
{
    for (const auto& [start, size] : {std::pair{0, 90}, {300, 180}, {10, 1}, {90, 359}}) {
        frmRuota7* w = open(start, size);
        // The first arm, one yellow line per degree, the first arm again and the second arm.
        const QList<platform::DrawnLine>& lines = w->Picture1->lines();
        ASSERT_EQ(lines.size(), size + 3) << size;
        for (int k = 0; k < lines.size(); ++k) {
            const int degrees = k == 0 || k == size + 1 ? start : start + std::min(k, size);
            const double drawn = std::atan2(lines[k].to.x(), -lines[k].to.y()) * 180 / M_PI;
            EXPECT_NEAR(std::remainder(drawn - degrees, 360), 0, 1e-3) << size << ": " << k;
            EXPECT_EQ(lines[k].colorIndex, k == 0 || k > size ? 12 : 14) << size << ": " << k;
        }
    }
}

TEST_F(EstimateWindowTest, EveryAnswerShowsTheEstimateBesideTheAngleAndAWrongOneMayBeTriedAgain)
{
    frmRuota7* w = open(40, 130, {0.0, 0.0, 100.5 / 360, 19.5 / 359}); // 130 degrees; sound; 20
    const QString comparison = language::LookupString(language::Message::EstimateComparison);
    answer(w, "100");
    EXPECT_EQ(w->Label5->text(), exercises::estimateComparison(comparison, "100°", "130°"));
    EXPECT_TRUE(w->Label5->isVisible());
    EXPECT_EQ(w->Text1->text(), "100"); // left to be corrected
    EXPECT_EQ(w->focusWidget(), w->Text1);

    answer(w, "0145,8");
    EXPECT_EQ(shared::CorrectCount, 1);
    EXPECT_EQ(w->Label5->text(), exercises::estimateComparison(comparison, "145°", "130°"));

    w->BottoneAvanti->click(); // the next angle comes without the last comparison
    settle();
    EXPECT_EQ(w->AngleSize, 20);
    EXPECT_TRUE(w->Label5->isHidden() && w->Label5->text().isEmpty() && w->Text1->text().isEmpty());
}

// On the smallest screen the question and a long comparison fit their labels,
// and the comparison shows both numbers.
TEST_F(EstimateWindowTest, QuestionAndComparisonFitTheirLabelsInEveryLanguage)
{
    platform::Screen::setSizeForTesting(QSize(800, 600));
    const auto fits = [](const QLabel* label) {
        const int m = label->margin();
        const QRect room = label->contentsRect().marginsRemoved(QMargins(m, m, m, m));
        return room.contains(QFontMetrics(label->font())
                                 .boundingRect(room, int(label->alignment()) | Qt::TextWordWrap, label->text()));
    };
    for (const QString& file : QDir(appDir()).entryList({QStringLiteral("*.lng")}, QDir::Files)) {
        language::CurrentLanguageFile = file.chopped(4);
        frmRuota7* w = open(0, 358);
        answer(w, "199");
        // Each measure in reading order, also inside text written right to left.
        const QString shown = w->Label5->text();
        for (const QString& measure : {QStringLiteral("199°"), QStringLiteral("358°")})
            EXPECT_TRUE(shown.contains(language::isolateMeasure(measure))) << file.toStdString();
        EXPECT_TRUE(fits(w->Label1) && fits(w->Label5)) << file.toStdString();
    }
}

} // namespace
