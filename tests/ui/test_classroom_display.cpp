#include "support/AppFixture.h"

#include "app/FormMenu.h"
#include "app/WindowCatalog.h"
#include "exercise/ExerciseForm.h"
#include "exercise/FanDrawing.h"
#include "exercises/frmRuota.h"
#include "exercises/frmRuota1.h"
#include "language/LanguageSupport.h"
#include "platform/services/ClassroomDisplay.h"
#include "shared/ModuloColoriSuoni.h"
#include "platform/services/Random.h"
#include "platform/services/Screen.h"
#include "platform/services/Settings.h"
#include "platform/widgets/PictureBox.h"
#include "platform/widgets/PressButton.h"
#include "resize/TextFit.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QStyleHints>
#include <QTest>
#include <QTimer>

#include <cmath>

// The classroom display measured on the rendered windows: the figure's
// colours and strokes, the menu's text, the size of what a pupil presses, and
// the switch itself.

namespace {

using platform::ClassroomDisplay;
using platform::Form;
using platform::contrastRatio;

class ClassroomDisplayTest : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        installShippedLanguages();
    }
    void TearDown() override
    {
        platform::Screen::setSizeForTesting(QSize());
        AppFixture::TearDown();
    }
    static void onScreen(QSize screen, bool classroom)
    {
        platform::Screen::setSizeForTesting(screen);
        ClassroomDisplay::setOn(classroom);
    }
};

// The colour at `r` pixels from `centre` in direction `degrees` (clockwise from up).
QColor pixelAt(const QImage& image, QPointF centre, double r, double degrees)
{
    const double theta = degrees * M_PI / 180;
    const QPoint p = (centre + QPointF(r * std::sin(theta), -r * std::cos(theta))).toPoint();
    return image.pixelColor(p);
}

// How many pixels of the row across `centre`'s vertical at `r` above it are
// darker than the fan (the first arm, straight up).
int armWidthAt(const QImage& image, QPointF centre, double r)
{
    const int y = qRound(centre.y() - r);
    int dark = 0;
    for (int x = qRound(centre.x()) - 20; x <= qRound(centre.x()) + 20; ++x) {
        if (image.pixelColor(x, y).lightness() < 100)
            ++dark;
    }
    return dark;
}

struct FigureRow {
    QSize screen;
    bool classroom;
};

// A right angle from straight up, drawn as the exercises draw it, then read
// back from the box's pixels.
TEST_F(ClassroomDisplayTest, TheFigureStandsOutWithTheDisplayOnAndIsAsBeforeWithItOff)
{
    const QList<FigureRow> table{{{1920, 1080}, true}, {{1024, 768}, true}, {{1920, 1080}, false}};
    for (const FigureRow& row : table) {
        SCOPED_TRACE(std::to_string(row.screen.width()) + (row.classroom ? " on" : " off"));
        onScreen(row.screen, row.classroom);
        auto* w = Form::show<exercises::frmRuota1>();
        settle();
        ASSERT_NE(w, nullptr);
        platform::PictureBox* box = w->Picture1;
        box->clear();
        ASSERT_TRUE(exercise::drawAngle(box, 0, 90, exercise::DrawingGuard(w)));
        settle();
        const QImage image = box->grab().toImage();
        const QPointF centre = box->toPixels(QPointF(0, 0));
        const double radius = std::min(box->width(), box->height()) / 2.0 - 4;

        if (!row.classroom) {
            // Yellow lines one pixel wide on white: the sweep leaves white
            // between its lines near the rim, the arms are one pixel wide.
            for (const platform::DrawnLine& line : box->lines())
                EXPECT_EQ(line.stroke, platform::Stroke::Line);
            EXPECT_EQ(armWidthAt(image, centre, radius / 2), 0); // light red is not dark
            int white = 0;
            for (double d = 5; d < 85; d += 0.1)
                white += pixelAt(image, centre, radius, d) == QColor(Qt::white);
            EXPECT_GT(white, 0);
            w->unload();
            settle();
            continue;
        }
        const QColor paper = image.pixelColor(2, 2);
        const QColor fan = pixelAt(image, centre, radius / 2, 45);
        const QColor arm = pixelAt(image, centre, radius / 2, 0);
        EXPECT_GE(contrastRatio(fan, paper), 3.0);
        EXPECT_GE(contrastRatio(arm, fan), 3.0);
        EXPECT_GT(arm.red(), 3 * std::max(arm.green(), arm.blue())); // red
        EXPECT_GT(fan.red(), fan.blue() + 100);                        // warm
        EXPECT_GE(armWidthAt(image, centre, radius / 2), 3);
        // No gap and no pale pixel anywhere in the fan, from near the vertex to the rim.
        for (double r : {20.0, 40.0, radius / 4, radius / 2, radius}) {
            // Clear of the arms' width beside each arm.
            const double beside = std::asin(std::min(1.0, (box->armWidth() + 2) / r)) * 180 / M_PI + 1;
            for (double d = beside; d <= 90 - beside; d += 0.05) {
                const QColor c = pixelAt(image, centre, r, d);
                ASSERT_EQ(c, fan) << "at " << r << " px, " << d << " degrees";
            }
        }
        w->unload();
        settle();
    }
}

// The build exercise's back turn takes degrees off in the box's own colour.
TEST_F(ClassroomDisplayTest, ABackTurnErasesInTheBoxsColour)
{
    onScreen({1024, 768}, true);
    platform::Random::scriptForTesting({0.0, 0.5 / 360, 40.5 / 360});
    auto* w = Form::show<exercises::frmRuota>();
    settle();
    ASSERT_NE(w, nullptr);
    QTest::mouseClick(w->Command6, Qt::LeftButton);  // 45
    QTest::mouseClick(w->Command1, Qt::RightButton); // back 10
    settle();
    EXPECT_EQ(w->BuiltAngle, 35);
    const QImage image = w->Picture1->grab().toImage();
    const QPointF centre = w->Picture1->toPixels(QPointF(0, 0));
    const double radius = std::min(w->Picture1->width(), w->Picture1->height()) / 2.0 - 4;
    const QColor paper = image.pixelColor(2, 2);
    for (double d = 38; d <= 60; d += 0.25)
        EXPECT_EQ(pixelAt(image, centre, radius * 0.7, d), paper) << d;
    EXPECT_EQ(pixelAt(image, centre, radius * 0.7, 20), QColor::fromRgb(platform::kClassroomFan));
}

// The rows of ink of a caption inside a button (its frame and focus band left out).
int inkHeight(QWidget* button)
{
    const QImage image = button->grab().toImage();
    int first = -1;
    int last = -1;
    for (int y = 12; y < image.height() - 12; ++y) {
        for (int x = 12; x < image.width() - 12; ++x) {
            if (image.pixelColor(x, y).lightness() < 90) {
                first = first < 0 ? y : first;
                last = y;
                break;
            }
        }
    }
    return first < 0 ? 0 : last - first + 1;
}

TEST_F(ClassroomDisplayTest, MenuCaptionsAreReadableFromAcrossTheRoom)
{
    onScreen({1920, 1080}, true);
    auto* menu = Form::show<app::FormMenu>();
    settle();
    ASSERT_NE(menu, nullptr);
    QList<QPushButton*> buttons = menu->exerciseButtons();
    buttons << menu->Command8 << menu->Command1;
    // Measured on captions with a letter that rises above or drops below the
    // small letters ("concavo - convesso" has none; "< > =" no letter at all).
    const auto tall = [](const QString& text) {
        for (const QChar c : text) {
            if (c.isUpper() || QStringLiteral("bdfhkltgjpqy").contains(c))
                return true;
        }
        return false;
    };
    int measured = 0;
    for (QPushButton* button : buttons) {
        if (!tall(button->text()))
            continue;
        ++measured;
        EXPECT_GE(inkHeight(button), 0.025 * menu->height()) << button->text().toStdString();
    }
    EXPECT_GE(measured, 8);
}

// What a pupil presses, types into or picks, in every window, at 1024 x 768.
TEST_F(ClassroomDisplayTest, EveryTargetIsLargeEnoughForAFinger)
{
    onScreen({1024, 768}, true);
    for (const app::WindowEntry& entry : app::allWindows()) {
        if (entry.forTeacher)
            continue;
        Form* window = entry.load();
        ASSERT_NE(window, nullptr) << entry.name.toStdString();
        window->showForm();
        settle();
        for (QObject* object : window->controls()) {
            auto* control = qobject_cast<QWidget*>(object);
            if (!control || !control->isVisible() || !resize::isPupilTarget(control))
                continue;
            EXPECT_GE(control->width(), resize::kTouchTarget)
                << entry.name.toStdString() << " " << control->objectName().toStdString();
            EXPECT_GE(control->height(), resize::kTouchTarget)
                << entry.name.toStdString() << " " << control->objectName().toStdString();
        }
        window->unload();
        settle();
    }
}

// The real question box of "esci", over an exercise at 1024 x 768: its
// text grows with the window's and its buttons take a finger.
TEST_F(ClassroomDisplayTest, MessageBoxesGrowWithTheWindow)
{
    struct Row {
        bool classroom;
        bool large;
    };
    for (const Row row : {Row{false, false}, Row{true, true}}) {
        onScreen({1024, 768}, row.classroom);
        auto* w = Form::show<exercises::frmRuota1>();
        settle();
        ASSERT_NE(w, nullptr);
        w->activateWindow();
        platform::MessageBox::setHandlerForTesting({}); // the real box
        QList<QSize> buttons;
        qreal pointSize = 0;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            pointSize = box->font().pointSizeF();
            for (QAbstractButton* b : box->buttons())
                buttons.append(b->size());
            box->button(QMessageBox::No)->click();
        });
        w->Command7->click();
        ASSERT_EQ(buttons.size(), 2);
        for (const QSize size : buttons) {
            EXPECT_EQ(size.width() >= resize::kTouchTarget && size.height() >= resize::kTouchTarget, row.large)
                << size.width() << "x" << size.height();
        }
        EXPECT_EQ(pointSize > 1.2 * QApplication::font().pointSizeF(), row.large);
        w->unload();
        settle();
    }
}

// The View menu switches the display, remembers it in the program's own
// settings (LangSetting.ini is left as it was) and the menu follows at once.
TEST_F(ClassroomDisplayTest, TheViewMenuSwitchesAndRemembersTheDisplay)
{
    onScreen({1920, 1080}, false);
    QFile langSetting(appDir() + QStringLiteral("/LangSetting.ini"));
    ASSERT_TRUE(langSetting.open(QIODevice::ReadOnly));
    const QByteArray languageBefore = langSetting.readAll();
    langSetting.close();

    auto* menu = Form::show<app::FormMenu>();
    settle();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->mnuView->title(), QStringLiteral("Visualizza"));
    EXPECT_FALSE(menu->mnuClassroom->isChecked());
    const QFont designed = menu->Command1->font();

    menu->mnuClassroom->trigger();
    settle();
    EXPECT_TRUE(ClassroomDisplay::isOn());
    EXPECT_TRUE(ClassroomDisplay::remembered());
    EXPECT_TRUE(QSettings(platform::accountSettingsPath(), QSettings::IniFormat).value("Display/Classroom").toBool());
    EXPECT_GT(menu->Command1->font().pointSizeF(), 1.5 * designed.pointSizeF());
    EXPECT_TRUE(shared::isCalmBackColor(menu->backColor()));

    menu->mnuClassroom->trigger();
    settle();
    EXPECT_FALSE(ClassroomDisplay::remembered());
    EXPECT_EQ(menu->Command1->font(), designed);
    ASSERT_TRUE(langSetting.open(QIODevice::ReadOnly));
    EXPECT_EQ(langSetting.readAll(), languageBefore);
}

// A finger: a tap presses a button, a short touch of a step opens the angle
// and a long one closes it.
TEST_F(ClassroomDisplayTest, TouchTapsPressAndALongPressTurnsBack)
{
    onScreen({1024, 768}, true);
    platform::Random::scriptForTesting({0.0, 0.5 / 360, 40.5 / 360});
    auto* w = Form::show<exercises::frmRuota>();
    settle();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->Label2->text().endsWith(language::LookupString(language::Message::BuildLongPressHint)));
    static QPointingDevice* const finger = QTest::createTouchDevice(); // registered for the run
    QWidget* top = w->window();
    auto touch = [&](QWidget* target, int holdMs) {
        const QPoint at = target->mapTo(top, target->rect().center());
        QTest::touchEvent(top, finger).press(0, at, top);
        if (holdMs > 0)
            QTest::qWait(holdMs);
        QTest::touchEvent(top, finger).release(0, at, top);
        settle();
    };
    touch(w->Command6, 0); // 45 forward
    EXPECT_EQ(w->BuiltAngle, 45);
    touch(w->Command1, QGuiApplication::styleHints()->mousePressAndHoldInterval() + 200); // 10 back
    EXPECT_EQ(w->BuiltAngle, 35);
    touch(w->Command9, 0); // "start again"
    EXPECT_EQ(w->BuiltAngle, 0);
}

} // namespace
