#include "support/AppFixture.h"
#include "support/Places.h"

#include "app/FormMenu.h"
#include "exercises/frmRuota.h"
#include "exercises/frmRuota1.h"
#include "exercises/frmRuota3.h"
#include "language/LanguageSupport.h"
#include "platform/services/Random.h"

#include <QAction>
#include <QApplication>
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

class RightToLeftTest : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        installShippedLanguages();
        writeRightToLeftLanguage("Destra");
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

TEST_F(RightToLeftTest, MeasuresKeepTheirOrderInsideRightToLeftText)
{
    // The colour, then the sizes 110 and 200; "<" answers right and shows both.
    const QList<double> draws {0.0, 0.3, 0.55};
    for (const QString language : {"Italiano", "Destra"}) {
        exercises::frmRuota3* w = openIn<exercises::frmRuota3>(language, draws);
        QTest::mouseClick(w->Command8, Qt::LeftButton);
        const QString isolated = QChar(0x2066) + QStringLiteral("110°") + QChar(0x2069);
        EXPECT_EQ(w->Label1->text(), language == "Destra" ? isolated : QStringLiteral("110°"));
        closeAll();

        // The message after a right answer starts with the degree sign of the
        // measure before it: the two stay together.
        exercises::frmRuota1* choices = openIn<exercises::frmRuota1>(language, {0.0, 0.5 / 360, 7.5 / 12});
        choices->Command2->click(); // "ottuso" for 120 degrees
        const QString measure = language == "Destra" ? QChar(0x2066) + QStringLiteral("120°") + QChar(0x2069)
                                                     : QStringLiteral("120°");
        EXPECT_EQ(choices->Label5->text(), measure + QStringLiteral(" è un angolo ottuso!"));
        closeAll();
    }
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
