#include "support/AppFixture.h"

#include "app/FormMenu.h"
#include "exercises/frmRuota.h"
#include "exercises/frmRuota3.h"
#include "language/LanguageSupport.h"
#include "platform/services/Random.h"
#include "platform/widgets/Mirror.h"
#include "platform/widgets/PictureBox.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <memory>

using platform::Form;

namespace {

using Places = QList<QRect>;

// The place of every control that has one, in design order.
Places placesOf(const Form& form)
{
    Places places;
    for (QObject* control : form.controls()) {
        if (auto* w = qobject_cast<QWidget*>(control); w && !qobject_cast<QMenu*>(control))
            places.append(w->geometry());
    }
    return places;
}

// The same places mirrored within each control's parent as it is now.
Places mirroredPlaces(const Form& form, const Places& leftToRight)
{
    Places mirrored;
    qsizetype i = 0;
    for (QObject* control : form.controls()) {
        if (auto* w = qobject_cast<QWidget*>(control); w && !qobject_cast<QMenu*>(control))
            mirrored.append(platform::mirrored(leftToRight[i++], w->parentWidget()->width()));
    }
    return mirrored;
}

class RightToLeftTest : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        installShippedLanguages();
        // Italian texts in a language that says it is written right to left.
        QFile italian(QDir(appDir()).filePath("Italiano.lng"));
        ASSERT_TRUE(italian.open(QIODevice::ReadOnly));
        writeFile("Destra.lng", italian.readAll() + "\r\n[Language]\r\nRightToLeft=1\r\n");
        writeFile("LangSetting.ini", "[Language]\r\nCurrentLanguage=Italiano\r\n");
    }

    template <class T> T* openIn(const QString& language, const QList<double>& draws = {})
    {
        language::CurrentLanguageFile = language;
        platform::Random::scriptForTesting(draws);
        Form::show<T>();
        settle();
        return window<T>();
    }

    static void closeAll()
    {
        for (Form* form : Form::loadedForms())
            form->unload();
        settle();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    static void pick(app::FormMenu* menu, const QString& language)
    {
        for (int i = 0; i < menu->mnuLanguage.size(); ++i) {
            if (menu->mnuLanguage[i]->data().toString() == language)
                menu->mnuLanguage_Click(i);
        }
        settle();
    }
};

TEST_F(RightToLeftTest, ItalianKeepsTheDesignPlacesAndARightToLeftLanguageMirrorsThem)
{
    // A window with a frame whose controls are placed within it.
    const auto design = std::make_unique<exercises::frmRuota>();
    const Places designPlaces = placesOf(*design);

    for (const QString language : {"Italiano", "Destra"}) {
        exercises::frmRuota* w = openIn<exercises::frmRuota>(language);
        EXPECT_EQ(w->isMirrored(), language == "Destra");
        // Back at its design size after filling the screen.
        w->resize(design->size());
        settle();
        const Places expected = language == "Destra" ? mirroredPlaces(*w, designPlaces) : designPlaces;
        EXPECT_EQ(placesOf(*w), expected) << language.toStdString();
        // Texts the design aligns left start from the right, centred ones stay.
        EXPECT_EQ(w->Label2->alignment(), language == "Destra" ? Qt::AlignRight | Qt::AlignVCenter | Qt::AlignAbsolute
                                                               : Qt::AlignLeft | Qt::AlignVCenter);
        EXPECT_EQ(w->Label1->alignment(), Qt::AlignCenter);
        closeAll();
    }
}

TEST_F(RightToLeftTest, TheFiguresAreDrawnPixelForPixelAsLeftToRightAndMeasuresKeepTheirOrder)
{
    // The colour, then the sizes 110 and 200; "<" answers right and shows both.
    const QList<double> draws {0.0, 0.3, 0.55};
    exercises::frmRuota3* w = openIn<exercises::frmRuota3>("Italiano", draws);
    const QImage left = w->Picture1->grab().toImage();
    const QImage right = w->Picture2->grab().toImage();
    const QRect leftBox = w->Picture1->geometry();
    QTest::mouseClick(w->Command8, Qt::LeftButton);
    EXPECT_EQ(w->Label1->text(), QStringLiteral("110°"));
    closeAll();

    w = openIn<exercises::frmRuota3>("Destra", draws);
    ASSERT_FALSE(w->Picture1->lines().isEmpty());
    EXPECT_EQ(w->Picture1->grab().toImage(), left);
    EXPECT_EQ(w->Picture2->grab().toImage(), right);
    // The box of the first angle is now on the right-hand side.
    EXPECT_EQ(w->Picture1->geometry(), platform::mirrored(leftBox, w->client()->width()));
    QTest::mouseClick(w->Command8, Qt::LeftButton);
    EXPECT_EQ(w->Label1->text(), QChar(0x2066) + QStringLiteral("110°") + QChar(0x2069));
}

TEST_F(RightToLeftTest, TabRunsFromTheRightHandSideAlongTheSameChain)
{
    for (const QString language : {"Italiano", "Destra"}) {
        exercises::frmRuota3* w = openIn<exercises::frmRuota3>(language, {0.0, 0.3, 0.55});
        w->Command1->setFocus();
        QStringList chain;
        QList<int> lefts;
        for (int step = 0; step < 3; ++step) {
            chain.append(w->focusWidget()->objectName());
            lefts.append(w->focusWidget()->x());
            QTest::keyClick(w->focusWidget(), Qt::Key_Tab);
        }
        // The three answer buttons, one after the other along their row.
        EXPECT_EQ(chain, QStringList({"Command1", "Command8", "Command2"}));
        if (language == "Destra")
            EXPECT_TRUE(lefts[0] > lefts[1] && lefts[1] > lefts[2]);
        else
            EXPECT_TRUE(lefts[0] < lefts[1] && lefts[1] < lefts[2]);
        closeAll();
    }
}

TEST_F(RightToLeftTest, PickingALanguageFromTheMenuTurnsEveryOpenWindowAndBackExactly)
{
    exercises::frmRuota* exercise = openIn<exercises::frmRuota>("Italiano");
    Form::show<app::FormMenu>();
    settle();
    app::FormMenu* menu = window<app::FormMenu>();
    const Places exercisePlaces = placesOf(*exercise);
    const Places menuPlaces = placesOf(*menu);

    pick(menu, "Destra");
    EXPECT_EQ(QGuiApplication::layoutDirection(), Qt::RightToLeft);
    EXPECT_EQ(placesOf(*exercise), mirroredPlaces(*exercise, exercisePlaces));
    EXPECT_EQ(placesOf(*menu), mirroredPlaces(*menu, menuPlaces));
    // The menu bar lays its menus out from the right.
    QMenuBar* bar = menu->menuBar();
    EXPECT_EQ(bar->layoutDirection(), Qt::RightToLeft);
    EXPECT_GT(bar->actionGeometry(bar->actions().first()).left(), bar->width() / 2);

    pick(menu, "Italiano");
    EXPECT_EQ(QGuiApplication::layoutDirection(), Qt::LeftToRight);
    EXPECT_FALSE(exercise->isMirrored());
    EXPECT_EQ(placesOf(*exercise), exercisePlaces);
    EXPECT_EQ(exercise->Label2->alignment(), Qt::AlignLeft | Qt::AlignVCenter);
    EXPECT_EQ(placesOf(*menu), menuPlaces);
}

TEST_F(RightToLeftTest, MessageBoxesFollowTheLanguageDirection)
{
    // The real box, closed as soon as it shows, after noting its direction.
    platform::MessageBox::setHandlerForTesting({});
    auto directionOfABox = [] {
        Qt::LayoutDirection seen = Qt::LayoutDirectionAuto;
        QTimer::singleShot(0, [&seen] {
            for (QWidget* top : QApplication::topLevelWidgets()) {
                if (auto* box = qobject_cast<QMessageBox*>(top); box && box->isVisible()) {
                    seen = box->layoutDirection();
                    box->done(QMessageBox::Ok);
                }
            }
        });
        platform::MessageRequest request;
        request.prompt = QStringLiteral("?");
        platform::MessageBox::show(request);
        return seen;
    };
    openIn<exercises::frmRuota3>("Destra", {0.0, 0.3, 0.55});
    EXPECT_EQ(directionOfABox(), Qt::RightToLeft);
    closeAll();
    openIn<exercises::frmRuota3>("Italiano", {0.0, 0.3, 0.55});
    EXPECT_EQ(directionOfABox(), Qt::LeftToRight);
}

} // namespace
