#include "platform/widgets/Form.h"
#include "platform/widgets/Properties.h"
#include "platform/services/Screen.h"
#include "resize/clsResize.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <gtest/gtest.h>

#include <memory>

namespace {

QWidget* widgetOf(const platform::Form& form, const char* name)
{
    return qobject_cast<QWidget*>(form.control(QString::fromLatin1(name)));
}

// A window designed 8000 x 6000 inside, with a menu among its controls, a
// frame holding a check box, and controls tagged in each way the resizer
// knows. It is never shown, so its size costs nothing to draw.
class TaggedForm : public platform::Form {
public:
    TaggedForm()
        : Form(QStringLiteral("frmTagged"))
    {
        place(new QPushButton(QStringLiteral("avanti"), client()), "Command1", {1000, 600, 2000, 500}, "");
        place(new QLabel(QStringLiteral("Esatti"), client()), "Label1", {500, 1500, 3000, 400},
            "Multi-Language Support");
        // The menu sits in the middle of the design order: the controls after it
        // must still be scaled.
        QMenu* menu = menuBar()->addMenu(QStringLiteral("Lingua"));
        addControl(menu, QStringLiteral("mnuLanguage"));
        addControl(menu->addAction(QStringLiteral("Italiano")), QStringLiteral("mnuItem"));
        place(new QLabel(QStringLiteral("Errati"), client()), "Label2", {4000, 2000, 1000, 300}, "@L,T");
        place(new QPushButton(QStringLiteral("esci"), client()), "Command2", {6000, 5000, 1200, 600}, "@");
        place(new QLabel(QStringLiteral("?"), client()), "Label3", {2000, 4000, 800, 200}, "@left");
        auto* frame = place(new QGroupBox(QStringLiteral("Frame1"), client()), "Frame1", {4000, 3000, 3000, 2000}, "");
        // Placed relative to its frame, and scaled there by the window's ratios.
        place(new QCheckBox(QStringLiteral("Suoni"), frame), "Check1", {200, 400, 1000, 300}, "");
        setDesignInnerSize(8000, 6000);
    }

    void setInnerSize(int width, int height) { setDesignInnerSize(width, height); }
    QRect placeOf(const char* name) const { return widgetOf(*this, name)->geometry(); }

private:
    template <class W> W* place(W* widget, const char* name, const QRect& geometry, const char* tag)
    {
        addControl(widget, QString::fromLatin1(name));
        widget->setGeometry(geometry);
        platform::setControlProperty(widget, QStringLiteral("Tag"), QString::fromLatin1(tag));
        return widget;
    }
};

const char* const kPlaced[] = {"Command1", "Label1", "Label2", "Command2", "Label3", "Frame1", "Check1"};

class ResizerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name : kPlaced)
            design.append(form.placeOf(name));
        resizer.setSourceForm(&form);
    }

    void resizeTo(int width, int height)
    {
        form.setInnerSize(width, height);
        resizer.ResizeControls();
    }

    void expectDesignPlaces() const
    {
        for (int i = 0; i < design.size(); ++i)
            EXPECT_EQ(form.placeOf(kPlaced[i]), design[i]) << kPlaced[i];
    }

    TaggedForm form;
    resize::clsResize resizer;
    QList<QRect> design;
};

// --- Scaling ------------------------------------------------------------------

TEST_F(ResizerTest, WideningScalesLeftsAndWidthsOnly)
{
    const QFont labelFont = widgetOf(form, "Label1")->font();
    resizer.ResizeControls(); // records
    resizeTo(12000, 6000);

    EXPECT_EQ(form.placeOf("Command1"), QRect(1500, 600, 3000, 500));
    EXPECT_EQ(form.placeOf("Label1"), QRect(750, 1500, 4500, 400));
    EXPECT_EQ(form.placeOf("Frame1"), QRect(6000, 3000, 4500, 2000));
    EXPECT_EQ(form.placeOf("Check1"), QRect(300, 400, 1500, 300));
    EXPECT_EQ(form.placeOf("Label2"), QRect(6000, 2000, 1000, 300));
    EXPECT_EQ(form.placeOf("Command2"), QRect(6000, 5000, 1200, 600));
    EXPECT_EQ(form.placeOf("Label3"), QRect(3000, 4000, 800, 200));
    EXPECT_EQ(widgetOf(form, "Label1")->font(), labelFont);
}

TEST_F(ResizerTest, TagsChooseWhatMovesAndWhatGrows)
{
    resizer.ResizeControls();
    resizeTo(4000, 3000);

    EXPECT_EQ(form.placeOf("Label1"), QRect(250, 750, 1500, 200)); // ordinary tag: everything
    EXPECT_EQ(form.placeOf("Label2"), QRect(2000, 1000, 1000, 300)); // "@L,T": moves only
    EXPECT_EQ(form.placeOf("Command2"), QRect(6000, 5000, 1200, 600)); // "@": fixed
    EXPECT_EQ(form.placeOf("Label3"), QRect(1000, 2000, 800, 200)); // "@left": moves both ways
}

TEST_F(ResizerTest, RepeatedResizingStartsFromTheRecordEachTime)
{
    resizer.ResizeControls();
    resizeTo(12345, 4321);
    resizeTo(777, 555);
    resizeTo(9001, 6007);
    resizeTo(8000, 6000);
    expectDesignPlaces();
}

TEST_F(ResizerTest, AControlGoneSinceRecordingIsSkipped)
{
    // The window's own list still holds the deleted control, so the
    // survivors are looked up before it goes.
    QWidget* command1 = widgetOf(form, "Command1");
    QWidget* check1 = widgetOf(form, "Check1");
    resizer.ResizeControls();
    delete widgetOf(form, "Label2");
    form.setInnerSize(12000, 6000);
    resizer.ResizeControls();
    EXPECT_EQ(command1->geometry(), QRect(1500, 600, 3000, 500));
    EXPECT_EQ(check1->geometry(), QRect(300, 400, 1500, 300));
}

// --- The reference layout -------------------------------------------------------

TEST_F(ResizerTest, FirstCallRecordsTheSizeItFindsAndMovesNothing)
{
    form.setInnerSize(12000, 6000);
    resizer.ResizeControls();
    expectDesignPlaces();

    // The reference is now 12000 x 6000, not the design size.
    resizeTo(6000, 3000);
    EXPECT_EQ(form.placeOf("Command1"), QRect(500, 300, 1000, 250));
}

TEST_F(ResizerTest, ReInitialiseTakesThePresentLayoutAsReference)
{
    resizer.ResizeControls();
    form.setInnerSize(4000, 3000);
    widgetOf(form, "Command1")->move(2000, 1000);
    resizer.ReInitialise();

    resizeTo(8000, 6000);
    EXPECT_EQ(form.placeOf("Command1"), QRect(4000, 2000, 4000, 1000));
    EXPECT_EQ(form.placeOf("Label1"), QRect(1000, 3000, 6000, 800));
}

// --- Windows left alone ---------------------------------------------------------

TEST_F(ResizerTest, AMinimisedWindowKeepsItsControls)
{
    resizer.ResizeControls();
    form.setWindowState(Qt::WindowMinimized);
    ASSERT_TRUE(form.isMinimized());
    resizeTo(12000, 6000);
    expectDesignPlaces();

    form.setWindowState(Qt::WindowNoState);
    resizer.ResizeControls();
    EXPECT_EQ(form.placeOf("Command1"), QRect(1500, 600, 3000, 500));
}

TEST_F(ResizerTest, AReferenceWithoutInnerAreaScalesNothing)
{
    form.setInnerSize(8000, 0); // only the menu bar is left
    ASSERT_EQ(form.client()->height(), 0);
    resizer.ResizeControls();

    resizeTo(12000, 6000);
    expectDesignPlaces();
}

// --- Sizing windows to the screen -------------------------------------------------

// A plain 800 x 600 window without a menu, small enough to be shown.
class PlainForm : public platform::Form {
public:
    explicit PlainForm(bool withControls = true)
        : Form(QStringLiteral("frmPlain"))
    {
        if (withControls) {
            addControl(new QPushButton(QStringLiteral("avanti"), client()), QStringLiteral("Command1"))
                ->setGeometry(100, 200, 300, 40);
            addControl(new QLabel(QStringLiteral("Esatti"), client()), QStringLiteral("Label1"))
                ->setGeometry(500, 60, 200, 20);
        }
        setDesignInnerSize(800, 600);
    }

protected:
    // Wired as the program's windows are.
    void Form_Load() override
    {
        resizer = std::make_unique<resize::clsResize>();
        resizer->setSourceForm(this);
        resizer->SizeFormToScreen(75);
    }
    void Form_Resize() override
    {
        if (resizer)
            resizer->ResizeControls();
    }

private:
    std::unique_ptr<resize::clsResize> resizer;
};

class ResizerScreenTest : public ::testing::Test {
protected:
    void TearDown() override { platform::Screen::setSizeForTesting(QSize()); }
};

TEST_F(ResizerScreenTest, SizeFormToScreenCentresTheWindowAndScalesFromItsDesign)
{
    platform::Screen::setSizeForTesting(QSize(1600, 1200));
    PlainForm form;
    resize::clsResize resizer;
    resizer.setSourceForm(&form);
    resizer.SizeFormToScreen(75);

    EXPECT_EQ(form.pos(), QPoint(200, 150));
    EXPECT_EQ(form.size(), QSize(1200, 900));
    EXPECT_EQ(widgetOf(form, "Command1")->geometry(), QRect(150, 300, 450, 60));
    EXPECT_EQ(widgetOf(form, "Label1")->geometry(), QRect(750, 90, 300, 30));
}

TEST_F(ResizerScreenTest, AWindowWithoutControlsIsSizedAndNothingElse)
{
    platform::Screen::setSizeForTesting(QSize(1000, 800));
    PlainForm form(false);
    resize::clsResize resizer;
    resizer.setSourceForm(&form);
    resizer.SizeFormToScreen(50);
    resizer.ResizeControls();
    EXPECT_EQ(form.geometry(), QRect(250, 200, 500, 400));
}

TEST_F(ResizerScreenTest, AWindowThatScalesOnEveryResizeEndsInProportion)
{
    platform::Screen::setSizeForTesting(QSize(1200, 900));
    PlainForm& form = *platform::Form::show<PlainForm>();
    QCoreApplication::processEvents();
    EXPECT_EQ(form.size(), QSize(900, 675));
    EXPECT_EQ(widgetOf(form, "Command1")->geometry(), QRect(113, 225, 338, 45));

    form.resize(1200, 900);
    QCoreApplication::processEvents();
    ASSERT_EQ(form.client()->size(), QSize(1200, 900));
    EXPECT_EQ(widgetOf(form, "Command1")->geometry(), QRect(150, 300, 450, 60));
    EXPECT_EQ(widgetOf(form, "Label1")->geometry(), QRect(750, 90, 300, 30));

    form.unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// --- Repainting -------------------------------------------------------------------

// Notes, for every move or resize of a control, whether its window could repaint.
class RepaintWatch : public QObject {
public:
    RepaintWatch(QWidget* window)
        : window(window)
    {
    }
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Move || event->type() == QEvent::Resize)
            updatesSeen.append(window->updatesEnabled());
        return false;
    }
    QWidget* window;
    QList<bool> updatesSeen;
};

TEST(ResizerRepaint, ControlsMoveWhileTheWindowHoldsItsRepaint)
{
    PlainForm form;
    form.QWidget::show();
    resize::clsResize resizer;
    resizer.setSourceForm(&form);
    resizer.ResizeControls();

    RepaintWatch watch(&form);
    for (const char* name : {"Command1", "Label1"})
        widgetOf(form, name)->installEventFilter(&watch);
    form.resize(1200, 600);
    watch.updatesSeen.clear(); // whatever the window's own resize did
    resizer.ResizeControls();

    EXPECT_FALSE(watch.updatesSeen.isEmpty());
    EXPECT_FALSE(watch.updatesSeen.contains(true));
    EXPECT_TRUE(form.updatesEnabled());
    EXPECT_EQ(widgetOf(form, "Command1")->geometry(), QRect(150, 200, 450, 40));

    // A window whose repaint someone else holds stays held.
    form.setUpdatesEnabled(false);
    form.resize(800, 600);
    resizer.ResizeControls();
    EXPECT_FALSE(form.updatesEnabled());
    EXPECT_EQ(widgetOf(form, "Command1")->geometry(), QRect(100, 200, 300, 40));
}

} // namespace
