#include "platform/widgets/Controls.h"
#include "platform/widgets/Form.h"
#include "platform/widgets/PictureBox.h"
#include "platform/widgets/Properties.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QStringList>
#include <gtest/gtest.h>

#include <array>

namespace {

using platform::Form;

// Every hook that ran, in order, across all the windows of one test.
QStringList& hookLog()
{
    static QStringList log;
    return log;
}

// A window with one control of every kind the program's windows use, whose
// hooks write into the log.
class HookedWindow : public Form {
public:
    HookedWindow()
        : Form(QStringLiteral("frmGanci"))
    {
        setWindowTitle(QStringLiteral("Disegno"));
        setDesignInnerSize(400, 300);
        for (int i = 0; i < 3; ++i)
            Label1[size_t(i)] = addControl(
                platform::newLabel(client(), QRect(10, 10 + 30 * i, 100, 20), QStringLiteral("etichetta %1").arg(i)),
                QStringLiteral("Label1"), i);
        Command1 = addControl(platform::newButton(client(), QRect(150, 10, 80, 30), QStringLiteral("avanti")),
                              QStringLiteral("Command1"));
        Check1 = addControl(platform::newCheckBox(client(), QRect(150, 50, 120, 20), QStringLiteral("Suoni")),
                            QStringLiteral("Check1"));
        Frame1 = addControl(platform::newFrame(client(), QRect(10, 120, 200, 80), QStringLiteral("Cornice")),
                            QStringLiteral("Frame1"));
        Text1 = addControl(platform::newTextBox(client(), QRect(250, 10, 60, 24)), QStringLiteral("Text1"));
        Picture1 = addControl(platform::newPictureBox(client(), QRect(250, 120, 100, 100)), QStringLiteral("Picture1"));
        Image1 = addControl(platform::newLabel(client(), QRect(320, 10, 32, 32), QString()), QStringLiteral("Image1"));
        QPixmap icon(32, 32);
        icon.fill(Qt::green);
        Image1->setPixmap(icon);
        mnuFile = addControl(menuBar()->addMenu(QStringLiteral("File")), QStringLiteral("mnuFile"));
        mnuItem = addControl(mnuFile->addAction(QStringLiteral("voce 0")), QStringLiteral("mnuItem"), 0);
    }

    std::array<QLabel*, 3> Label1{};
    QPushButton* Command1 = nullptr;
    QCheckBox* Check1 = nullptr;
    QGroupBox* Frame1 = nullptr;
    QLineEdit* Text1 = nullptr;
    platform::PictureBox* Picture1 = nullptr;
    QLabel* Image1 = nullptr;
    QMenu* mnuFile = nullptr;
    QAction* mnuItem = nullptr;

protected:
    void Form_Load() override { hookLog().append(objectName() + QStringLiteral(".Load")); }
    void Form_Activate() override { hookLog().append(objectName() + QStringLiteral(".Activate")); }
    void Form_Resize() override
    {
        hookLog().append(objectName() + QStringLiteral(".Resize %1x%2").arg(width()).arg(height()));
    }
};

// A second window class, with a default instance of its own.
class OtherWindow : public Form {
public:
    OtherWindow()
        : Form(QStringLiteral("frmAltra"))
    {
        setDesignInnerSize(200, 100);
    }

protected:
    void Form_Load() override { hookLog().append(objectName() + QStringLiteral(".Load")); }
};

class FormBaseTest : public ::testing::Test {
protected:
    void SetUp() override { hookLog().clear(); }
    void TearDown() override
    {
        for (Form* form : Form::loadedForms())
            form->unload();
        settle();
        hookLog().clear();
    }

    static void settle()
    {
        for (int i = 0; i < 5; ++i) {
            QCoreApplication::processEvents(QEventLoop::AllEvents);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }

    static int count(const QString& entry) { return int(hookLog().count(entry)); }
};

TEST_F(FormBaseTest, LoadRunsAtLoadAndActivateOnceFromTheEventLoopAfterTheFirstShow)
{
    HookedWindow& w = *Form::load<HookedWindow>();
    EXPECT_TRUE(w.isLoaded());
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(hookLog(), QStringList{"frmGanci.Load"});

    Form::show<HookedWindow>();
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(count("frmGanci.Activate"), 0) << "activation waits until the opener's handler is done";
    settle();
    EXPECT_EQ(count("frmGanci.Load"), 1);
    EXPECT_EQ(count("frmGanci.Activate"), 1);
    EXPECT_LT(hookLog().indexOf("frmGanci.Load"), hookLog().indexOf("frmGanci.Activate"));

    // Showing the loaded window again, even after hiding it, neither reloads
    // nor reactivates it.
    EXPECT_EQ(Form::show<HookedWindow>(), &w);
    w.hide();
    w.showForm();
    settle();
    EXPECT_EQ(count("frmGanci.Load"), 1);
    EXPECT_EQ(count("frmGanci.Activate"), 1);
}

TEST_F(FormBaseTest, ResizeRunsOnEveryResizeOnceLoaded)
{
    HookedWindow& w = *Form::show<HookedWindow>();
    settle();
    hookLog().clear();

    w.resize(w.width() + 50, w.height() + 30);
    settle();
    const QString expected = QStringLiteral("frmGanci.Resize %1x%2").arg(w.width()).arg(w.height());
    EXPECT_TRUE(hookLog().contains(expected)) << hookLog().join(", ").toStdString();

    // The inner area follows the window, below the menu bar.
    EXPECT_EQ(w.client()->width(), w.width());
    EXPECT_EQ(w.client()->geometry().bottom(), w.height() - 1);
    EXPECT_EQ(w.client()->y(), w.menuBar()->height());
}

TEST_F(FormBaseTest, ActivationQueuedForAWindowUnloadedBeforeItRunsNeverComes)
{
    HookedWindow& w = *Form::show<HookedWindow>();
    w.unload();
    settle();
    EXPECT_EQ(count("frmGanci.Activate"), 0);
}

TEST_F(FormBaseTest, ShowingAgainAfterUnloadBuildsAFreshWindowFromItsDesign)
{
    QPointer<HookedWindow> first = Form::show<HookedWindow>();
    settle();
    first->setWindowTitle(QStringLiteral("Cambiata"));
    platform::setControlProperty(first->Command1, QStringLiteral("Caption"), QStringLiteral("indietro"));
    first->Check1->setChecked(true);

    first->unload();
    EXPECT_EQ(Form::instance<HookedWindow>(), nullptr) << "an unloaded window is no longer the default instance";
    EXPECT_FALSE(first.isNull()) << "deleted later, never under a running handler";
    EXPECT_FALSE(first->isVisible());
    settle();
    EXPECT_TRUE(first.isNull());

    HookedWindow& second = *Form::show<HookedWindow>();
    settle();
    EXPECT_EQ(Form::instance<HookedWindow>(), &second);
    EXPECT_EQ(second.windowTitle(), "Disegno");
    EXPECT_EQ(second.Command1->text(), "avanti");
    EXPECT_FALSE(second.Check1->isChecked());
    EXPECT_EQ(count("frmGanci.Load"), 2);
    EXPECT_EQ(count("frmGanci.Activate"), 2);
}

TEST_F(FormBaseTest, LoadedWindowsAreListedInLoadOrderAndUnloadDropsThem)
{
    EXPECT_TRUE(Form::loadedForms().isEmpty());
    OtherWindow& other = *Form::load<OtherWindow>();
    HookedWindow& hooked = *Form::show<HookedWindow>();
    Form::show<OtherWindow>(); // already loaded: neither reloaded nor listed twice
    EXPECT_EQ(Form::loadedForms(), (QList<Form*>{&other, &hooked}));
    EXPECT_EQ(count("frmAltra.Load"), 1);

    other.unload();
    EXPECT_EQ(Form::loadedForms(), QList<Form*>{&hooked});
    other.unload(); // a second unload changes nothing
    EXPECT_EQ(Form::loadedForms(), QList<Form*>{&hooked});

    hooked.close(); // the title bar's close unloads as well
    EXPECT_TRUE(Form::loadedForms().isEmpty());
    EXPECT_EQ(Form::instance<HookedWindow>(), nullptr);
}

TEST_F(FormBaseTest, ControlsKeepDesignOrderAndArrayIndexes)
{
    HookedWindow& w = *Form::load<HookedWindow>();
    QStringList names;
    for (QObject* c : w.controls())
        names << c->objectName() + (platform::controlIndex(c) >= 0 ? QStringLiteral("(%1)").arg(platform::controlIndex(c)) : QString());
    EXPECT_EQ(names, (QStringList{"Label1(0)", "Label1(1)", "Label1(2)", "Command1", "Check1", "Frame1", "Text1",
                                  "Picture1", "Image1", "mnuFile", "mnuItem(0)"}));

    EXPECT_EQ(w.control("Label1", 1), w.Label1[1]);
    EXPECT_EQ(w.control("Label1", 3), nullptr);
    EXPECT_EQ(w.control("Command1"), w.Command1);
    EXPECT_EQ(w.control("Command1", 0), nullptr) << "a lone control is not element 0 of an array";
    EXPECT_EQ(w.control("Command9"), nullptr);
    EXPECT_EQ(platform::controlIndex(w.Command1), -1);
    EXPECT_EQ(platform::controlIndex(w.mnuItem), 0);
    EXPECT_EQ(platform::controlProperty(w.Label1[2], "Index"), QVariant(2));
    EXPECT_EQ(platform::controlProperty(w.Command1, "Index"), std::nullopt);
    EXPECT_EQ(platform::controlProperty(w.Label1[2], "Name"), QVariant("Label1"));

    // An element created at run time joins the array at the end.
    QAction* added = w.mnuFile->addAction(QStringLiteral("voce 1"));
    w.registerControl(added, QStringLiteral("mnuItem"), 1);
    EXPECT_EQ(w.controls().last(), added);
    EXPECT_EQ(w.control("mnuItem", 1), added);
}

// What each kind of control answers to, by name.
struct Support {
    const char* kind;
    bool caption;
    bool toolTip;
    bool placed; // Left, Top, Width, Height
    bool shown;  // Visible, Enabled
};

QObject* controlOfKind(HookedWindow& w, const QString& kind)
{
    if (kind == "form")
        return &w;
    if (kind == "Label1(0)")
        return w.Label1[0];
    return w.control(kind, kind == "mnuItem" ? 0 : -1);
}

TEST_F(FormBaseTest, PropertiesByNameOnEveryKindOfControl)
{
    const Support table[] = {
        {"Command1", true, true, true, true},  {"Label1(0)", true, true, true, true},
        {"Check1", true, true, true, true},    {"Frame1", true, true, true, true},
        {"Text1", false, true, true, true},    {"Picture1", false, true, true, true},
        {"Image1", false, true, true, true},   {"mnuFile", true, false, false, true},
        {"mnuItem", true, true, false, true},  {"form", true, false, true, true},
    };
    HookedWindow& w = *Form::show<HookedWindow>();
    settle();

    for (const Support& s : table) {
        SCOPED_TRACE(s.kind);
        QObject* c = controlOfKind(w, s.kind);
        ASSERT_NE(c, nullptr);

        EXPECT_EQ(platform::setControlProperty(c, "Caption", "nuovo"), s.caption);
        EXPECT_EQ(platform::controlProperty(c, "Caption"), s.caption ? std::optional<QVariant>("nuovo") : std::nullopt);

        EXPECT_EQ(platform::setControlProperty(c, "ToolTipText", "aiuto"), s.toolTip);
        EXPECT_EQ(platform::controlProperty(c, "ToolTipText"), s.toolTip ? std::optional<QVariant>("aiuto") : std::nullopt);

        // Every control keeps a tag, empty until set.
        EXPECT_EQ(platform::controlProperty(c, "Tag"), QVariant(QString()));
        EXPECT_TRUE(platform::setControlProperty(c, "Tag", "HW"));
        EXPECT_EQ(platform::controlProperty(c, "Tag"), QVariant("HW"));

        // Lengths are pixels; fractions round to the nearest.
        const int values[] = {21, 32, 143, 54};
        const char* places[] = {"Left", "Top", "Width", "Height"};
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(platform::setControlProperty(c, places[i], values[i] + 0.6), s.placed) << places[i];
            EXPECT_EQ(platform::controlProperty(c, places[i]),
                      s.placed ? std::optional<QVariant>(values[i] + 1) : std::nullopt)
                << places[i];
        }
        if (s.placed) {
            EXPECT_EQ(static_cast<QWidget*>(c)->geometry(), QRect(22, 33, 144, 55));
        }

        EXPECT_EQ(platform::controlProperty(c, "Visible"), s.shown ? std::optional<QVariant>(true) : std::nullopt);
        EXPECT_EQ(platform::controlProperty(c, "Enabled"), s.shown ? std::optional<QVariant>(true) : std::nullopt);
        EXPECT_EQ(platform::setControlProperty(c, "Enabled", false), s.shown);
        EXPECT_EQ(platform::controlProperty(c, "Enabled"), s.shown ? std::optional<QVariant>(false) : std::nullopt);
        if (c != &w) { // hiding the window itself is the business of unload
            EXPECT_EQ(platform::setControlProperty(c, "Visible", false), s.shown);
            EXPECT_EQ(platform::controlProperty(c, "Visible"), s.shown ? std::optional<QVariant>(false) : std::nullopt);
        }
    }
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.windowTitle(), "nuovo");
    EXPECT_TRUE(w.Command1->isHidden());
    EXPECT_FALSE(w.mnuItem->isVisible());
    EXPECT_FALSE(w.mnuFile->menuAction()->isVisible()) << "a hidden menu leaves the menu bar";
    EXPECT_FALSE(w.mnuFile->isVisible()) << "and never pops up";
}

TEST_F(FormBaseTest, AMenuIsVisibleInTheMenuBarWithoutBeingOpen)
{
    HookedWindow& w = *Form::show<HookedWindow>();
    settle();
    EXPECT_EQ(platform::controlProperty(w.mnuFile, "Visible"), QVariant(true));
    EXPECT_TRUE(platform::setControlProperty(w.mnuFile, "Visible", true));
    EXPECT_FALSE(w.mnuFile->isVisible()) << "making a menu visible must not pop it up";
    EXPECT_TRUE(w.mnuFile->menuAction()->isVisible());
    EXPECT_TRUE(platform::setControlProperty(w.mnuFile, "Enabled", false));
    EXPECT_FALSE(w.mnuFile->menuAction()->isEnabled());
}

TEST_F(FormBaseTest, AMissingPropertyFailsQuietlyAndCreatesNothing)
{
    HookedWindow& w = *Form::load<HookedWindow>();
    QList<QObject*> all = w.controls();
    all.append(&w);
    const QString missing[] = {"Caption", "Pippo", "Index", "Name", "caption", ""};
    for (QObject* c : all) {
        SCOPED_TRACE(c->objectName().toStdString());
        const QList<QByteArray> before = c->dynamicPropertyNames();
        const QString name = c->objectName();
        const int index = platform::controlIndex(c);
        for (const QString& property : missing) {
            if (property == "Caption" && platform::controlProperty(c, property))
                continue; // only the kinds without a caption
            EXPECT_FALSE(platform::setControlProperty(c, property, QStringLiteral("x"))) << property.toStdString();
        }
        EXPECT_EQ(platform::controlProperty(c, "Pippo"), std::nullopt);
        EXPECT_EQ(platform::controlProperty(c, "TabCaption(0)"), std::nullopt);
        EXPECT_EQ(c->dynamicPropertyNames(), before);
        EXPECT_EQ(c->objectName(), name);
        EXPECT_EQ(platform::controlIndex(c), index);
    }
    EXPECT_FALSE(platform::setControlProperty(nullptr, "Tag", "x"));
    EXPECT_EQ(platform::controlProperty(nullptr, "Tag"), std::nullopt);
}

} // namespace
