#include "support/AppFixture.h"

#include "shared/Modulo1.h"
#include "exercises/frmRuota2.h"
#include "language/LanguageSupport.h"
#include "platform/widgets/PictureBox.h"
#include "platform/services/Random.h"

#include <QLabel>
#include <QPushButton>

#include <cmath>

using exercises::frmRuota2;
using platform::DrawnLine;
using platform::Form;

namespace {

constexpr int kRed = 12;
constexpr int kYellow = 14;

// The random numbers of a question: background, start, size of 10 to 170,
// then the half that adds 180.
QList<double> question(int startDegrees, int size)
{
    const int convexPart = size > 180 ? size - 180 : size;
    return {0.0, (startDegrees + 0.5) / 360.0, (convexPart / 10 - 0.5) / 17.0, size > 180 ? 0.75 : 0.25};
}

// Clockwise degrees from straight up of a line's far end, 0 to 360.
double degreesOf(const DrawnLine& line)
{
    const double d = std::atan2(line.to.x(), -line.to.y()) * 180 / M_PI;
    return d < -1e-3 ? d + 360 : d;
}

class FrmRuota2Test : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        installShippedLanguages();
        language::CurrentLanguageFile = QStringLiteral("Italiano");
    }

    frmRuota2* open(const QList<double>& numbers)
    {
        platform::Random::scriptForTesting(numbers);
        Form::show<frmRuota2>();
        settle();
        return window<frmRuota2>();
    }
};

TEST_F(FrmRuota2Test, TheArmsStandAtExactlyTheMeasureThatIsJudged)
{
    for (int size : {10, 190, 350}) {
        frmRuota2* w = open(question(300, size));
        ASSERT_NE(w, nullptr);
        ASSERT_EQ(w->AngleSize, size);
        const QList<DrawnLine>& lines = w->Picture1->lines();
        ASSERT_EQ(lines.size(), size + 3) << size;
        EXPECT_EQ(lines.front().colorIndex, kRed);
        EXPECT_NEAR(degreesOf(lines.front()), 300, 1e-3);
        for (int i = 1; i <= size; ++i) {
            EXPECT_EQ(lines[i].colorIndex, kYellow);
            EXPECT_NEAR(std::fmod(degreesOf(lines[i]) + 360 - 300, 360), i, 1e-3) << size << " line " << i;
        }
        EXPECT_EQ(lines[size + 1].colorIndex, kRed);
        EXPECT_EQ(lines.back().colorIndex, kRed);
        EXPECT_NEAR(std::fmod(degreesOf(lines.back()) + 360 - 300, 360), size, 1e-3) << size;
        w->unload();
        settle();
    }
}

TEST_F(FrmRuota2Test, TheRightAnswerShowsTheMeasureBeforeItsMessage)
{
    struct Row {
        int size;
        bool concave;
        const char* message;
    };
    for (const Row& r : {Row{170, false, "0030"}, Row{190, true, "0032"}}) {
        frmRuota2* w = open(question(45, r.size));
        ASSERT_NE(w, nullptr);
        QPushButton* right = r.concave ? w->Command8 : w->Command1;
        QPushButton* wrong = r.concave ? w->Command1 : w->Command8;
        wrong->click();
        EXPECT_TRUE(w->Label5->isHidden()) << r.size;
        right->click();
        EXPECT_FALSE(w->Label5->isHidden()) << r.size;
        EXPECT_EQ(w->Label5->text(),
                  QString::number(r.size) + language::LookupString(QString::fromLatin1(r.message)));
        EXPECT_EQ(shared::CorrectCount, 1);
        EXPECT_EQ(shared::WrongCount, 1);
        w->unload();
        settle();
    }
}

} // namespace
