#include "language/LanguageSupport.h"
#include "language/TranslateForm.h"
#include "platform/services/AppDir.h"
#include "platform/widgets/Form.h"
#include "platform/widgets/Properties.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A small window with the kinds of control the program's windows have: a
// label array, a button, a menu with one item of an item array.
class TranslateTestWindow : public platform::Form {
public:
    explicit TranslateTestWindow(const QString& title = QStringLiteral("Finestra di prova"))
        : Form(QStringLiteral("frmProva"))
    {
        setWindowTitle(title);
        platform::setControlProperty(this, "Tag", "tag della finestra");
        for (int i = 0; i < 3; ++i) {
            auto* label = addControl(new QLabel(QString("etichetta %1").arg(i), client()), "Label2", i);
            label->setToolTip(QString("suggerimento %1").arg(i));
            platform::setControlProperty(label, "Tag", QString("HW%1").arg(i));
        }
        button = addControl(new QPushButton("avanti", client()), "BottoneAvanti");
        button->setToolTip("domanda seguente");
        platform::setControlProperty(button, "Tag", "tag del bottone");
        menu = addControl(menuBar()->addMenu("Lingua"), "mnuLanguages");
        platform::setControlProperty(menu, "Tag", "Multi-Language Support");
        item = addControl(menu->addAction("mnuLanguage 0"), "mnuLanguage", 0);
    }

    QObject* label(int index) const { return control("Label2", index); }

    QPushButton* button = nullptr;
    QMenu* menu = nullptr;
    QAction* item = nullptr;
};

class UntitledTestWindow : public TranslateTestWindow {
public:
    UntitledTestWindow()
        : TranslateTestWindow(QString())
    {
    }
};

QString property(QObject* control, const char* name)
{
    const auto value = platform::controlProperty(control, name);
    return value ? value->toString() : QStringLiteral("<none>");
}

void expectAsDesigned(TranslateTestWindow& w)
{
    EXPECT_EQ(w.windowTitle(), "Finestra di prova");
    EXPECT_EQ(property(&w, "Tag"), "tag della finestra");
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(property(w.label(i), "Caption"), QString("etichetta %1").arg(i));
        EXPECT_EQ(property(w.label(i), "ToolTipText"), QString("suggerimento %1").arg(i));
        EXPECT_EQ(property(w.label(i), "Tag"), QString("HW%1").arg(i));
    }
    EXPECT_EQ(w.button->text(), "avanti");
    EXPECT_EQ(w.button->toolTip(), "domanda seguente");
    EXPECT_EQ(property(w.button, "Tag"), "tag del bottone");
    EXPECT_EQ(w.menu->title(), "Lingua");
    EXPECT_EQ(property(w.menu, "Tag"), "Multi-Language Support");
    EXPECT_EQ(w.item->text(), "mnuLanguage 0");
}

class TranslateFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        platform::AppDir::setPathForTesting(dir.path());
        language::CurrentLanguageFile = "Prova";
    }

    void TearDown() override
    {
        for (platform::Form* form : platform::Form::loadedForms())
            form->unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        platform::AppDir::setPathForTesting(QString());
        language::CurrentLanguageFile.clear();
    }

    void writeLanguage(const QByteArray& text, const QString& name = "Prova.lng") const
    {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    // Every control of the window gets a caption, so a walk that stops early
    // or skips one shows.
    void writeEveryCaption() const
    {
        writeLanguage("[frmProva]\r\n"
                      "Label2(0).Caption=\"zero\"\r\n"
                      "Label2(1).Caption=\"one\"\r\n"
                      "Label2(2).Caption=\"two\"\r\n"
                      "BottoneAvanti.Caption=\"next\"\r\n"
                      "mnuLanguages.Caption=\"Language\"\r\n"
                      "mnuLanguage(0).Caption=\"English\"\r\n");
    }

    QTemporaryDir dir;
};

TEST_F(TranslateFormTest, FileTextsReplaceDesignTextsFromTheWindowsOwnSection)
{
    writeLanguage("[FormMenu]\r\n"
                  "frmProva.Caption=\"wrong section\"\r\n"
                  "BottoneAvanti.Caption=\"wrong section\"\r\n"
                  "[frmProva]\r\n"
                  "frmProva.Caption=\"Test window\"\r\n"
                  "frmProva.ToolTipText=\"windows have no tooltip\"\r\n"
                  "frmProva.Tag=\"window tag\"\r\n"
                  "Label2.Caption=\"without index\"\r\n"
                  "Label2(0).Caption=\"zero\"\r\n"
                  "Label2(2).Caption=\"two\"\r\n"
                  "Label2(2).ToolTipText=\"second tip\"\r\n"
                  "Label2(2).Tag=\"HW\"\r\n"
                  "BottoneAvanti.Caption=\"next\"\r\n"
                  "BottoneAvanti.ToolTipText=\"\"\r\n"
                  "BottoneAvanti.Tag=\"\"\r\n"
                  "mnuLanguages.Caption=\"Language\"\r\n"
                  "mnuLanguages.ToolTipText=\"menus have no tooltip\"\r\n"
                  "mnuLanguages.Tag=\"menu tag\"\r\n"
                  "mnuLanguage(0).Caption=\"English\"\r\n"
                  "mnuLanguage(0).ToolTipText=\"item tip\"\r\n");
    auto& w = *platform::Form::load<TranslateTestWindow>();

    language::TranslateForm(&w);

    EXPECT_EQ(w.windowTitle(), "Test window");
    EXPECT_EQ(w.toolTip(), "");
    EXPECT_EQ(property(&w, "Tag"), "window tag");

    // Array elements use the key with their index; the bare name is not theirs.
    EXPECT_EQ(property(w.label(0), "Caption"), "zero");
    EXPECT_EQ(property(w.label(1), "Caption"), "etichetta 1");
    EXPECT_EQ(property(w.label(2), "Caption"), "two");
    EXPECT_EQ(property(w.label(0), "ToolTipText"), "suggerimento 0");
    EXPECT_EQ(property(w.label(2), "ToolTipText"), "second tip");
    EXPECT_EQ(property(w.label(1), "Tag"), "HW1");
    EXPECT_EQ(property(w.label(2), "Tag"), "HW");

    // Empty values keep the design texts.
    EXPECT_EQ(w.button->text(), "next");
    EXPECT_EQ(w.button->toolTip(), "domanda seguente");
    EXPECT_EQ(property(w.button, "Tag"), "tag del bottone");

    // A menu has no tooltip: that text is dropped, the others still apply.
    EXPECT_EQ(w.menu->title(), "Language");
    EXPECT_EQ(w.menu->toolTip(), "");
    EXPECT_EQ(property(w.menu, "Tag"), "menu tag");
    EXPECT_EQ(w.item->text(), "English");
    EXPECT_EQ(w.item->toolTip(), "item tip");
}

TEST_F(TranslateFormTest, AbsentKeysBlankTheTitleAndClearTheWindowTagOnly)
{
    writeLanguage("[frmProva]\r\nLabel2(1).Caption=\"one\"\r\n");
    auto& w = *platform::Form::load<TranslateTestWindow>();

    language::TranslateForm(&w);

    EXPECT_EQ(w.windowTitle(), "");
    EXPECT_EQ(property(&w, "Tag"), "");
    EXPECT_EQ(property(w.label(0), "Caption"), "etichetta 0");
    EXPECT_EQ(property(w.label(1), "Caption"), "one");
    EXPECT_EQ(property(w.label(1), "ToolTipText"), "suggerimento 1");
    EXPECT_EQ(property(w.label(1), "Tag"), "HW1");
    EXPECT_EQ(w.button->text(), "avanti");
    EXPECT_EQ(property(w.button, "Tag"), "tag del bottone");
    EXPECT_EQ(w.menu->title(), "Lingua");
    EXPECT_EQ(w.item->text(), "mnuLanguage 0");
}

TEST_F(TranslateFormTest, AnUntitledWindowIsNeverGivenATitle)
{
    writeLanguage("[frmProva]\r\nfrmProva.Caption=\"Title\"\r\nfrmProva.Tag=\"window tag\"\r\n");
    auto& w = *platform::Form::load<UntitledTestWindow>();

    language::TranslateForm(&w);

    EXPECT_EQ(w.windowTitle(), "");
    EXPECT_EQ(property(&w, "Tag"), "window tag");
}

TEST_F(TranslateFormTest, WithoutAUsableLanguageFileTheWindowStaysAsDesigned)
{
    // A language file that exists but does not go with the current name.
    writeLanguage("[frmProva]\r\nfrmProva.Caption=\"Title\"\r\nLabel2(0).Caption=\"zero\"\r\n",
                  "Prova.lng");
    ASSERT_TRUE(QDir(dir.path()).mkdir("Cartella.lng"));
    auto& w = *platform::Form::load<TranslateTestWindow>();

    for (const QString& name : {QString("Assente"), QString(), QString("Cartella"),
                                QString("sub/../Prova")}) {
        SCOPED_TRACE(name.toStdString());
        language::CurrentLanguageFile = name;
        language::TranslateForm(&w);
        expectAsDesigned(w);
    }
}

TEST_F(TranslateFormTest, AControlDeletedDuringTheTranslationIsSkipped)
{
    writeEveryCaption();
    auto& w = *platform::Form::load<TranslateTestWindow>();
    QPointer<QObject> first = w.label(0);
    QPointer<QObject> doomed = w.label(1);
    QPointer<QObject> third = w.label(2);

    // Runs at the first yield, once the first label is done.
    QMetaObject::invokeMethod(doomed, [doomed] { delete doomed.data(); }, Qt::QueuedConnection);
    language::TranslateForm(&w);

    ASSERT_TRUE(doomed.isNull());
    EXPECT_EQ(property(first, "Caption"), "zero");
    EXPECT_EQ(property(third, "Caption"), "two");
    EXPECT_EQ(w.button->text(), "next");
    EXPECT_EQ(w.item->text(), "English");
}

// Keeps an unloaded window in memory, so what the translation did after the
// unload can still be seen.
class HoldDeletion : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override { return event->type() == QEvent::DeferredDelete; }
};

TEST_F(TranslateFormTest, AWindowUnloadedDuringTheTranslationIsNotTranslatedFurther)
{
    writeEveryCaption();
    auto* w = platform::Form::load<TranslateTestWindow>();
    HoldDeletion hold;
    w->installEventFilter(&hold);

    // Runs at the first yield, once the first label is done.
    QMetaObject::invokeMethod(w, [w] { w->unload(); }, Qt::QueuedConnection);
    language::TranslateForm(w);

    ASSERT_FALSE(w->isLoaded());
    EXPECT_EQ(property(w->label(0), "Caption"), "zero");
    EXPECT_EQ(property(w->label(1), "Caption"), "etichetta 1");
    EXPECT_EQ(w->button->text(), "avanti");
    EXPECT_EQ(w->item->text(), "mnuLanguage 0");

    // Nor is an unloaded window translated at all.
    platform::setControlProperty(w->label(0), "Caption", "etichetta 0");
    language::TranslateForm(w);
    EXPECT_EQ(property(w->label(0), "Caption"), "etichetta 0");
    delete w;
}

TEST_F(TranslateFormTest, AWindowDeletedDuringTheTranslationIsNotTouched)
{
    writeEveryCaption();
    for (const bool unloadIt : {true, false}) {
        SCOPED_TRACE(unloadIt ? "unloaded" : "deleted");
        auto& w = *platform::Form::load<TranslateTestWindow>();
        QPointer<platform::Form> window(&w);
        QObject context;
        QMetaObject::invokeMethod(
            &context,
            [window, unloadIt] {
                if (unloadIt)
                    window->unload();
                else
                    delete window.data();
            },
            Qt::QueuedConnection);

        language::TranslateForm(&w);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(window.isNull());
    }
}

} // namespace
