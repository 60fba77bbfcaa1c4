#include "app/FormMenu.h"
#include "shared/Modulo1.h"
#include "shared/ModuloColoriSuoni.h"
#include "exercises/frmRuota3.h"
#include "language/LanguageSupport.h"
#include "platform/widgets/PictureBox.h"
#include "platform/services/Random.h"
#include "support/AppFixture.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>

#include <cmath>
#include <functional>
#include <memory>

using exercises::frmRuota3;
using platform::PictureBox;

namespace {

constexpr int kYellow = 14;
constexpr int kRed = 12;

// The random number that gives a size of `degrees` (10 to 360).
double sizeDraw(int degrees)
{
    return (degrees / 10 - 0.5) / 36.0;
}

// Clockwise degrees from straight up of a line's far end.
double directionOf(const platform::DrawnLine& line)
{
    const double d = std::atan2(line.to.x(), -line.to.y()) * 180.0 / M_PI;
    return d < -1e-3 ? d + 360.0 : d;
}

bool pointsUp(const platform::DrawnLine& line)
{
    return std::abs(line.to.x()) < 1e-5 && std::abs(line.to.y() + 3.0) < 1e-5;
}

// Runs `action` on the exercise window once, from inside a drawing's pass
// through the event loop, at the first pass where `when` holds.
class DuringDrawing {
public:
    using Check = std::function<bool(frmRuota3&)>;
    using Action = std::function<void(frmRuota3&)>;
    DuringDrawing(Check when, Action action)
        : m_state(std::make_shared<State>(State{std::move(when), std::move(action)}))
    {
        post(m_state);
    }
    bool ran() const { return m_state->ran; }

private:
    struct State {
        Check when;
        Action action;
        bool ran = false;
        int tries = 0;
    };
    static void post(std::shared_ptr<State> state)
    {
        QMetaObject::invokeMethod(
            qApp,
            [state] {
                frmRuota3* w = platform::Form::instance<frmRuota3>();
                if (w && state->when(*w)) {
                    state->ran = true;
                    state->action(*w);
                } else if (++state->tries < 5000) {
                    post(state);
                }
            },
            Qt::QueuedConnection);
    }
    std::shared_ptr<State> m_state;
};

class Ruota3Test : public AppFixture {
protected:
    // Opens the exercise on a first question of the two sizes, colour entry 1.
    frmRuota3* open(int left, int right, const QList<double>& later = {})
    {
        installShippedLanguages();
        platform::Random::scriptForTesting(QList<double>{0.0, sizeDraw(left), sizeDraw(right)} + later);
        platform::Form::show<frmRuota3>();
        settle();
        return window<frmRuota3>();
    }

    static void expectWaiting(frmRuota3* w)
    {
        for (QPushButton* b : {w->Command1, w->Command8, w->Command2})
            EXPECT_TRUE(b->isEnabled()) << b->text().toStdString();
        EXPECT_FALSE(w->BottoneAvanti->isEnabled());
        EXPECT_TRUE(w->Label1->isHidden());
        EXPECT_TRUE(w->Label2->isHidden());
        EXPECT_TRUE(w->Label5->isHidden());
    }

    static void expectAnswered(frmRuota3* w, const char* left, const char* sign, const char* right)
    {
        for (QPushButton* b : {w->Command1, w->Command8, w->Command2})
            EXPECT_FALSE(b->isEnabled()) << b->text().toStdString();
        EXPECT_TRUE(w->BottoneAvanti->isEnabled());
        EXPECT_TRUE(w->ComandoIconaSi->isVisible());
        EXPECT_FALSE(w->ComandoIconaNo->isVisible());
        EXPECT_EQ(w->Label1->text(), QString::fromUtf8(left));
        EXPECT_EQ(w->Label5->text(), QString::fromUtf8(sign));
        EXPECT_EQ(w->Label2->text(), QString::fromUtf8(right));
        EXPECT_TRUE(w->Label1->isVisible() && w->Label5->isVisible() && w->Label2->isVisible());
    }
};

TEST_F(Ruota3Test, OpensOnAFirstPairWithEverythingHidden)
{
    language::CurrentLanguageFile = QStringLiteral("English");
    frmRuota3* w = open(40, 70);
    // The language file addresses the window's controls by their names.
    EXPECT_EQ(w->windowTitle(), "Gonioma - compare two angles  < > =");
    EXPECT_EQ(w->Picture2->toolTip(), "The right-hand angle");
    EXPECT_EQ(w->Command8->toolTip(), "The left angle is smaller");
    EXPECT_EQ(w->Command8->text(), "<");
    EXPECT_EQ(w->backColor(), shared::backColorEntry(1));
    EXPECT_EQ(w->EtichettaEsatti->text(), " 0");
    EXPECT_EQ(w->EtichettaErrati->text(), " 0");
    expectWaiting(w);
    for (PictureBox* box : {w->Picture1, w->Picture2}) {
        EXPECT_EQ(box->scale(), QRectF(QPointF(-2, -2), QPointF(2, 2)));
        EXPECT_EQ(box->drawWidth(), 1);
    }
    EXPECT_EQ(w->AngleSize1, 40);
    EXPECT_EQ(w->AngleSize2, 70);
    // The measures are written only by the right answer.
    EXPECT_TRUE(w->Label1->text().isEmpty());
    EXPECT_TRUE(w->Label2->text().isEmpty());
}

TEST_F(Ruota3Test, EqualSizesAcceptOnlyEqual)
{
    frmRuota3* w = open(120, 120);
    w->Command8->click();
    w->Command1->click();
    EXPECT_EQ(shared::WrongCount, 2);
    EXPECT_EQ(shared::CorrectCount, 0);
    EXPECT_TRUE(w->ComandoIconaNo->isVisible());
    expectWaiting(w);
    w->Command2->click();
    EXPECT_EQ(shared::CorrectCount, 1);
    EXPECT_EQ(shared::WrongCount, 2);
    expectAnswered(w, "120°", "=", "120°");
}

TEST_F(Ruota3Test, WrongThenRightReadsLikeARelation)
{
    frmRuota3* w = open(40, 70);
    w->Command1->click();
    EXPECT_EQ(w->EtichettaErrati->text(), " 1");
    expectWaiting(w);
    w->Command8->click();
    EXPECT_EQ(w->EtichettaEsatti->text(), " 1");
    expectAnswered(w, "40°", "<", "70°");
    // Left measure, sign, right measure, from left to right.
    EXPECT_LT(w->Label1->geometry().center().x(), w->Label5->geometry().center().x());
    EXPECT_LT(w->Label5->geometry().center().x(), w->Label2->geometry().center().x());
    const int measureRow = w->Label1->geometry().center().y();
    EXPECT_TRUE(w->Label5->geometry().top() < measureRow && measureRow < w->Label5->geometry().bottom());
    // Buttons stay disabled until "avanti".
    w->Command2->click();
    EXPECT_EQ(shared::WrongCount, 1);
    EXPECT_EQ(shared::CorrectCount, 1);
}

TEST_F(Ruota3Test, TenDegreesAreTenLinesThenTheTwoArms)
{
    int leftLinesWhenRightStarts = -1;
    installShippedLanguages();
    platform::Random::scriptForTesting({0.0, sizeDraw(10), sizeDraw(20)});
    platform::Form::show<frmRuota3>();
    DuringDrawing probe([](frmRuota3& w) { return !w.Picture2->lines().isEmpty(); },
                        [&](frmRuota3& w) { leftLinesWhenRightStarts = int(w.Picture1->lines().size()); });
    settle();
    frmRuota3* w = window<frmRuota3>();
    ASSERT_TRUE(probe.ran());
    // The left figure is complete but for its first arm, drawn last.
    EXPECT_EQ(leftLinesWhenRightStarts, 11);

    const auto& lines = w->Picture1->lines();
    ASSERT_EQ(lines.size(), 12);
    for (int k = 1; k <= 10; ++k) {
        const platform::DrawnLine& l = lines[k - 1];
        EXPECT_EQ(l.from, QPointF(0, 0));
        EXPECT_EQ(l.colorIndex, kYellow);
        EXPECT_EQ(l.width, 1);
        const double rad = k * M_PI / 180.0;
        EXPECT_NEAR(l.to.x(), 3 * std::sin(rad), 1e-5) << k;
        EXPECT_NEAR(l.to.y(), -3 * std::cos(rad), 1e-5) << k;
    }
    EXPECT_EQ(lines[10].colorIndex, kRed);
    EXPECT_NEAR(directionOf(lines[10]), 10.0, 1e-4);
    EXPECT_EQ(lines[11].colorIndex, kRed);
    EXPECT_TRUE(pointsUp(lines[11]));
    ASSERT_EQ(w->Picture2->lines().size(), 22);
    EXPECT_NEAR(directionOf(w->Picture2->lines()[20]), 20.0, 1e-4);
    EXPECT_TRUE(pointsUp(w->Picture2->lines()[21]));
}

TEST_F(Ruota3Test, FullAngleFillsTheBoxAndBeatsASmallerOne)
{
    frmRuota3* w = open(360, 50);
    const auto& lines = w->Picture1->lines();
    ASSERT_EQ(lines.size(), 362);
    EXPECT_NEAR(directionOf(lines[0]), 1.0, 1e-4);
    EXPECT_NEAR(directionOf(lines[179]), 180.0, 1e-4);
    EXPECT_NEAR(directionOf(lines[358]), 359.0, 1e-4);
    EXPECT_TRUE(pointsUp(lines[359]));
    // The second arm at 360 degrees lies on the first.
    EXPECT_EQ(lines[360].colorIndex, kRed);
    EXPECT_TRUE(pointsUp(lines[360]));
    EXPECT_EQ(lines[361].colorIndex, kRed);
    EXPECT_TRUE(pointsUp(lines[361]));
    EXPECT_EQ(w->Picture2->lines().size(), 52);

    w->Command8->click();
    EXPECT_EQ(shared::WrongCount, 1);
    w->Command1->click();
    expectAnswered(w, "360°", ">", "50°");
}

TEST_F(Ruota3Test, AvantiHidesTheAnswerAndDrawsANewPair)
{
    frmRuota3* w = open(40, 70, {17.5 / 18, sizeDraw(30), sizeDraw(360)});
    w->Command8->click();
    w->BottoneAvanti->click();
    expectWaiting(w);
    EXPECT_TRUE(w->ComandoIconaSi->isVisible()); // the last answer's icon stays
    EXPECT_EQ(w->backColor(), shared::backColorEntry(18));
    EXPECT_EQ(w->AngleSize1, 30);
    EXPECT_EQ(w->AngleSize2, 360);
    EXPECT_EQ(w->Picture1->lines().size(), 32);
    EXPECT_EQ(w->Picture2->lines().size(), 362);
    w->Command8->click();
    EXPECT_EQ(shared::CorrectCount, 2);
    expectAnswered(w, "30°", "<", "360°");
}

} // namespace
