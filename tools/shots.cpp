// Renders the program's windows to PNG files at a given screen size, for
// looking at the layout without clicking through the program:
//   gonioma_shots <out-dir> <width> <height> [--classroom] [--language <name>]
// --classroom turns the classroom display on and adds "-classroom" to the
// file names; --language picks the language file for the run.
// It runs from the build folder, where the language files and sounds lie.
//
// Every exercise of the window catalogue gets a shot of its first question.
// The exercises below that have steps of their own are shown a given question
// and answered, for a shot of the right answer too; a new exercise without
// steps still gets its question shot.
#include "app/FormAlunni.h"
#include "app/FormAvvio.h"
#include "app/PupilNames.h"
#include "results/Recording.h"
#include "app/FormMenu.h"
#include "app/WindowCatalog.h"
#include "shared/Modulo1.h"
#include "exercises/frmRuota.h"
#include "exercises/frmRuota1.h"
#include "exercises/frmRuota1a.h"
#include "exercises/frmRuota2.h"
#include "exercises/frmRuota3.h"
#include "exercises/frmRuota4.h"
#include "exercises/frmRuota5.h"
#include "exercises/frmRuota6.h"
#include "exercises/frmRuota7.h"
#include "exercises/frmRuota8.h"
#include "exercise/ExerciseForm.h"
#include "exercise/Protractor.h"
#include "language/LanguageSupport.h"
#include "platform/services/AppDir.h"
#include "platform/services/EventYield.h"
#include "platform/services/ClassroomDisplay.h"
#include "platform/widgets/FocusStyle.h"
#include "platform/widgets/Form.h"
#include "platform/widgets/ListTextBox.h"
#include "platform/widgets/MessageBox.h"
#include "platform/widgets/PictureBox.h"
#include "platform/widgets/PressButton.h"
#include "platform/services/Random.h"
#include "platform/services/Screen.h"
#include "teacherview/frmLivelli.h"

#include <QApplication>
#include <QDir>
#include <QSpinBox>
#include <QFile>
#include <QTemporaryDir>
#include <QFont>
#include <QHash>
#include <QLineEdit>
#include <QPushButton>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {
void settle()
{
    for (int i = 0; i < 10; ++i) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

void closeAll()
{
    for (platform::Form* f : platform::Form::loadedForms())
        f->unload();
    settle();
}

// Saves the window shown as <out>/<window name>-<what>-<width>x<height>.png.
using Shoot = std::function<void(const QString& what)>;

// What is done in one exercise between its opening and its last shot.
struct Steps {
    QList<double> numbers; // the random numbers of the question shown
    std::function<void(platform::Form&, const Shoot&)> play;
};

template <class Window> std::function<void(platform::Form&, const Shoot&)> on(void (*play)(Window&, const Shoot&))
{
    return [play](platform::Form& form, const Shoot& shoot) {
        if (auto* window = qobject_cast<Window*>(&form))
            play(*window, shoot);
        else
            shoot(QStringLiteral("question"));
    };
}

// A wrong answer left in the box, then the right one.
void complete(exercises::CompletionForm& form, const Shoot& shoot, const QString& wrong, const QString& right)
{
    settle();
    QTest::keyClicks(form.Text1, wrong);
    QTest::keyClick(form.Text1, Qt::Key_Return);
    shoot(QStringLiteral("question"));
    QTest::keyClick(form.Text1, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(form.Text1, right);
    QTest::keyClick(form.Text1, Qt::Key_Return);
    shoot(QStringLiteral("right"));
}

QHash<QString, Steps> exerciseSteps()
{
    using namespace exercises;
    QHash<QString, Steps> steps;
    // Build the angle: 40 degrees asked, 45 + 5 built and 10 taken back, then 40.
    steps.insert(QStringLiteral("frmRuota"), {{0.3, 0.2, 40.5 / 360}, on<frmRuota>([](frmRuota& w, const Shoot& shoot) {
                     settle();
                     QTest::mouseClick(w.Command6, Qt::LeftButton);
                     QTest::mouseClick(w.Command2, Qt::LeftButton);
                     QTest::mouseClick(w.Command1, Qt::RightButton);
                     shoot(QStringLiteral("question"));
                     QTest::mouseClick(w.Command8, Qt::LeftButton);
                     shoot(QStringLiteral("right"));
                 })});
    steps.insert(QStringLiteral("frmRuota1"), {{0.5, 0.1, 0.45}, on<frmRuota1>([](frmRuota1& w, const Shoot& shoot) {
                     shoot(QStringLiteral("question"));
                     QTest::mouseClick(w.Command8, Qt::LeftButton);
                     QTest::mouseClick(w.Command1, Qt::LeftButton);
                     shoot(QStringLiteral("right"));
                 })});
    // A concave angle of 250 degrees, answered wrong and then right.
    steps.insert(QStringLiteral("frmRuota2"),
                 {{0.5, 0.3, 6.5 / 17, 0.75}, on<frmRuota2>([](frmRuota2& w, const Shoot& shoot) {
                      shoot(QStringLiteral("question"));
                      QTest::mouseClick(w.Command1, Qt::LeftButton);
                      QTest::mouseClick(w.Command8, Qt::LeftButton);
                      shoot(QStringLiteral("right"));
                  })});
    // A straight angle, then twenty right angles answered in a row, then an
    // angle of 55 degrees.
    QList<double> classification{0.5, 0.3, 3.5 / 20};
    for (int i = 0; i < 20; ++i)
        classification += QList<double>{i % 18 / 18.0, 0.05 * i, 1.5 / 20};
    classification += QList<double>{0.6, 0.2, 5.5 / 20, 54.5 / 180};
    steps.insert(QStringLiteral("frmRuota1a"), {classification, on<frmRuota1a>([](frmRuota1a& w, const Shoot& shoot) {
                     shoot(QStringLiteral("question"));
                     QTest::mouseClick(w.Command3, Qt::LeftButton);
                     for (int i = 0; i < 20; ++i)
                         QTest::mouseClick(w.Command1, Qt::LeftButton);
                     shoot(QStringLiteral("right"));
                     w.activateWindow();
                     w.Text1[1]->setFocus();
                     shoot(QStringLiteral("listfocus"));
                 })});
    steps.insert(QStringLiteral("frmRuota3"), {{0.2, 0.1, 0.2}, on<frmRuota3>([](frmRuota3& w, const Shoot& shoot) {
                     shoot(QStringLiteral("question"));
                     QTest::mouseClick(w.Command8, Qt::LeftButton);
                     shoot(QStringLiteral("right"));
                 })});
    // Right box 5; the others from straight up and around, of several sizes.
    steps.insert(QStringLiteral("frmRuota4"),
                 {{0.4, 0.7, 0.05, 0.3, 0.2, 0.9, 0.45, 0.6, 0.7, 0.1, 0.95, 0.85, 0.5},
                  on<frmRuota4>([](frmRuota4& w, const Shoot& shoot) {
                      shoot(QStringLiteral("question"));
                      QTest::mouseClick(w.Picture2, Qt::LeftButton);
                      QTest::mouseClick(w.Picture5, Qt::LeftButton);
                      shoot(QStringLiteral("right"));
                  })});
    // 35 degrees given.
    steps.insert(QStringLiteral("frmRuota5"), {{0.3, 0.2, 34.5 / 90}, on<frmRuota5>([](frmRuota5& w, const Shoot& shoot) {
                     complete(w, shoot, QStringLiteral("56"), QStringLiteral("55"));
                 })});
    steps.insert(QStringLiteral("frmRuota6"),
                 {{0.7, 0.6, 134.5 / 180}, on<frmRuota6>([](frmRuota6& w, const Shoot& shoot) {
                      complete(w, shoot, QStringLiteral("55"), QStringLiteral("45"));
                  })});
    // An angle of 130 degrees, estimated 100 and then 120.
    steps.insert(QStringLiteral("frmRuota7"),
                 {{0.3, 0.2, 129.5 / 359}, on<frmRuota7>([](frmRuota7& w, const Shoot& shoot) {
                      settle();
                      QTest::keyClicks(w.Text1, QStringLiteral("100"));
                      QTest::keyClick(w.Text1, Qt::Key_Return);
                      shoot(QStringLiteral("question"));
                      QTest::keyClick(w.Text1, Qt::Key_A, Qt::ControlModifier);
                      QTest::keyClicks(w.Text1, QStringLiteral("120"));
                      QTest::keyClick(w.Text1, Qt::Key_Return);
                      shoot(QStringLiteral("right"));
                  })});
    // 70 degrees from 50: the protractor on the vertex, its outer scale's 0 on
    // the first arm (turned 140 degrees), reading 70 where the second arm is.
    steps.insert(QStringLiteral("frmRuota8"),
                 {{0.3, 50.5 / 360, 69.5 / 180}, on<frmRuota8>([](frmRuota8& w, const Shoot& shoot) {
                      settle();
                      shoot(QStringLiteral("question"));
                      w.Goniometro1->setFocus();
                      QTest::keyClick(w.Goniometro1, Qt::Key_V);
                      w.Goniometro1->turnTo(140);
                      shoot(QStringLiteral("placed"));
                      QTest::keyClicks(w.Text1, QStringLiteral("70"));
                      QTest::keyClick(w.Text1, Qt::Key_Return);
                      shoot(QStringLiteral("right"));
                  })});
    return steps;
}

// Two exercises the program does not have, to see the menu's buttons when
// there are more than the eight it was drawn for.
QList<app::WindowEntry> withTwoMoreExercises()
{
    QList<app::WindowEntry> exercises = app::exerciseWindows();
    for (int n : {20, 21}) {
        exercises.append({QStringLiteral("frmNuovo%1").arg(n), QStringLiteral("An exercise still to come"),
                          QStringLiteral("Command%1").arg(n), QStringLiteral("esercizio nuovo %1").arg(n),
                          [] { return nullptr; }, [](platform::Form&) { return false; }});
    }
    return exercises;
}
} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setStyle(new platform::FocusStyle());
    QFont::insertSubstitution(QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue"));
    if (argc < 4)
        return 2;
    const QString out = QString::fromLocal8Bit(argv[1]);
    const QSize screen(QString::fromLocal8Bit(argv[2]).toInt(), QString::fromLocal8Bit(argv[3]).toInt());
    QString suffix = QStringLiteral("-%1x%2").arg(screen.width()).arg(screen.height());
    for (int i = 4; i < argc; ++i) {
        const QString option = QString::fromLocal8Bit(argv[i]);
        if (option == QLatin1String("--classroom")) {
            platform::ClassroomDisplay::setOn(true);
            suffix += QStringLiteral("-classroom");
        } else if (option == QLatin1String("--language") && i + 1 < argc) {
            language::useLanguageForThisRun(QString::fromLocal8Bit(argv[++i]));
        } else {
            return 2;
        }
    }
    QDir().mkpath(out);
    platform::Screen::setSizeForTesting(screen);
    language::CurrentLanguageFile = language::languageForTheRun();
    shared::loadSharedTexts();

    auto save = [&](platform::Form& form, const QString& name) {
        settle();
        form.grab().save(QDir(out).filePath(name + suffix + QStringLiteral(".png")));
    };

    // The splash and the menu take their colours from a script, so shots taken
    // before and after a change can be compared pixel by pixel.
    platform::Random::scriptForTesting({0.0});
    save(*platform::Form::show<app::FormAvvio>(), QStringLiteral("splash"));
    closeAll();
    platform::Random::scriptForTesting({0.0});
    save(*platform::Form::show<app::FormMenu>(), QStringLiteral("menu"));
    // The question "Esci" asks, over the menu, as the box a pupil sees.
    QTimer::singleShot(100, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            box->grab().save(QDir(out).filePath(QStringLiteral("menu-quit-box") + suffix + QStringLiteral(".png")));
            box->button(QMessageBox::No)->click();
        }
    });
    platform::MessageBox::show({language::LookupString(language::Message::QuitPrompt), platform::MessageIcon::Question,
                                platform::MessageButtons::YesNo, QString()});
    closeAll();
    {
        const app::ExerciseWindowsForTesting more(withTwoMoreExercises());
        platform::Random::scriptForTesting({0.0});
        save(*platform::Form::show<app::FormMenu>(), QStringLiteral("menu-more-exercises"));
        closeAll();
    }

    {
        // The pupils' names from a class list of the shots' own (a second page
        // of them), and the menu with the way back to them and the line that
        // says answers cannot be kept (the data folder is a file here).
        QTemporaryDir school;
        QFile list(school.filePath(QStringLiteral("class.txt")));
        list.open(QIODevice::WriteOnly);
        list.write("Zo\xC3\xAB\nO'Brien \"Bob\"\n\xD9\x85\xD8\xB1\xD9\x8A\xD9\x85\nTom & Jerry \xF0\x9F\xA6\x8A\n"
                   "Maximiliana Konstantinopolous-Vanderbilt de la Torre y Santamar\xC3\xAD" "a\n");
        for (int i = 1; i <= 15; ++i)
            list.write("Pupil " + QByteArray::number(i) + "\n");
        list.close();
        QFile settings(school.filePath(QStringLiteral("gonioma.conf")));
        settings.open(QIODevice::WriteOnly);
        settings.write("[Program]\nPupils=class.txt\n");
        settings.close();
        QFile notAFolder(school.filePath(QStringLiteral("data")));
        notAFolder.open(QIODevice::WriteOnly);
        notAFolder.close();
        qputenv("GONIOMA_CONFIG", QFile::encodeName(settings.fileName()));
        qputenv("XDG_DATA_HOME", QFile::encodeName(notAFolder.fileName()));
        app::startRecording();
        platform::Random::scriptForTesting({0.0});
        save(*platform::Form::show<app::FormAlunni>(), QStringLiteral("names"));
        closeAll();
        app::recording()->setPupil(QStringLiteral("Zoë"));
        app::recording()->record({}); // the first answer opens the results, and finds the fault
        platform::Random::scriptForTesting({0.0});
        save(*platform::Form::show<app::FormMenu>(), QStringLiteral("menu-names-and-results-line"));
        closeAll();
        app::stopRecording();
    }

    const QHash<QString, Steps> steps = exerciseSteps();
    for (const app::WindowEntry& exercise : app::exerciseWindows()) {
        const Steps own = steps.value(exercise.name);
        platform::Random::scriptForTesting(own.numbers);
        platform::Form* form = exercise.load();
        if (!form)
            continue;
        form->showForm();
        const Shoot shoot = [&](const QString& what) { save(*form, exercise.name + u'-' + what); };
        if (own.play)
            own.play(*form, shoot);
        else
            shoot(QStringLiteral("question"));
        closeAll();
    }

    // The summary at the end of a round: rounds of three in the comparison
    // (two boxes a figure) and in finding the right angle (six), the first
    // question answered wrong twice.
    QTemporaryDir school;
    const QString settings = school.filePath(QStringLiteral("gonioma.conf"));
    {
        QFile file(settings);
        if (file.open(QIODevice::WriteOnly))
            file.write("[frmRuota3]\nQuestions=3\n[frmRuota4]\nQuestions=3\n");
    }
    qputenv("GONIOMA_CONFIG", QFile::encodeName(settings));
    const auto round = [&](platform::Form* form, const std::function<void()>& wrong,
                           const std::function<void()>& right, const QString& name) {
        if (!form)
            return;
        settle();
        wrong();
        wrong();
        for (int i = 0; i < 3; ++i) {
            right();
            auto* exercise = qobject_cast<exercise::ExerciseForm*>(form);
            if (exercise && exercise->BottoneAvanti && exercise->BottoneAvanti->isEnabled() && i < 2) {
                exercise->BottoneAvanti->click();
                settle();
            }
        }
        save(*form, name);
        closeAll();
    };
    // Whole figures at once, so each answer comes after its figure is drawn
    // (sounds are off here: a right answer takes no number).
    platform::EventYield::setPaceMs(0);
    QList<double> pairs;
    for (int i = 0; i < 3; ++i)
        pairs += QList<double>{0.0, (4.5 - i) / 36, (6.5 + 3 * i) / 36};
    platform::Random::scriptForTesting(pairs);
    auto* compare = platform::Form::show<exercises::frmRuota3>();
    round(compare, [&] { compare->Command2->click(); }, [&] { compare->Command8->click(); },
          QStringLiteral("frmRuota3-summary"));
    platform::Random::scriptForTesting(QList<double>(60, 0.0));
    auto* findRight = platform::Form::show<exercises::frmRuota4>();
    round(findRight, [&] { QTest::mouseClick(findRight->Picture2, Qt::LeftButton); },
          [&] { QTest::mouseClick(findRight->Picture1, Qt::LeftButton); }, QStringLiteral("frmRuota4-summary"));
    // The teacher's level editor, at the exercise with the most to set and a
    // level it refuses, so the reason shows.
    auto* levels = platform::Form::show<teacherview::frmLivelli>();
    levels->pickExercise(QStringLiteral("frmRuota"));
    if (auto* min = levels->findChild<QSpinBox*>(QStringLiteral("spnMin")))
        min->setValue(200);
    if (auto* max = levels->findChild<QSpinBox*>(QStringLiteral("spnMax")))
        max->setValue(100);
    save(*levels, QStringLiteral("level-editor"));
    levels->resize(screen);
    save(*levels, QStringLiteral("level-editor-full"));
    closeAll();
    return 0;
}
