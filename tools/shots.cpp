// Renders the program's windows to PNG files at a given screen size, for
// looking at the layout without clicking through the program:
//   gonioma_shots <out-dir> <width> <height>
// It runs from the build folder, where the language files and sounds lie.
#include "app/FormAvvio.h"
#include "app/FormMenu.h"
#include "shared/Modulo1.h"
#include "exercises/frmRuota.h"
#include "exercises/frmRuota1.h"
#include "exercises/frmRuota1a.h"
#include "exercises/frmRuota2.h"
#include "exercises/frmRuota3.h"
#include "exercises/frmRuota4.h"
#include "exercises/frmRuota5.h"
#include "exercises/frmRuota6.h"
#include "language/LanguageSupport.h"
#include "platform/services/AppDir.h"
#include "platform/widgets/FocusStyle.h"
#include "platform/widgets/Form.h"
#include "platform/widgets/ListTextBox.h"
#include "platform/widgets/PictureBox.h"
#include "platform/widgets/PressButton.h"
#include "platform/services/Random.h"
#include "platform/services/Screen.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {
void settle()
{
    for (int i = 0; i < 10; ++i) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

void save(platform::Form& form, const QString& dir, const QString& name)
{
    settle();
    form.grab().save(QDir(dir).filePath(name + QStringLiteral(".png")));
}

void closeAll()
{
    for (platform::Form* f : platform::Form::loadedForms())
        f->unload();
    settle();
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
    const QString suffix = QStringLiteral("-%1x%2").arg(screen.width()).arg(screen.height());
    QDir().mkpath(out);
    platform::Screen::setSizeForTesting(screen);
    language::CurrentLanguageFile = language::languageForTheRun();
    shared::loadSharedTexts();

    save(*platform::Form::show<app::FormAvvio>(), out, QStringLiteral("splash") + suffix);
    closeAll();
    save(*platform::Form::show<app::FormMenu>(), out, QStringLiteral("menu") + suffix);
    closeAll();

    // Build the angle: 40 degrees asked, 45 + 5 built and 10 taken back, then 40.
    platform::Random::scriptForTesting({0.3, 0.2, 40.5 / 360});
    auto& ruota = *platform::Form::show<exercises::frmRuota>();
    settle();
    QTest::mouseClick(ruota.Command6, Qt::LeftButton);
    QTest::mouseClick(ruota.Command2, Qt::LeftButton);
    QTest::mouseClick(ruota.Command1, Qt::RightButton);
    save(ruota, out, QStringLiteral("frmRuota-question") + suffix);
    QTest::mouseClick(ruota.Command8, Qt::LeftButton);
    save(ruota, out, QStringLiteral("frmRuota-right") + suffix);
    closeAll();

    platform::Random::scriptForTesting({0.5, 0.1, 0.45});
    auto& ruota1 = *platform::Form::show<exercises::frmRuota1>();
    save(ruota1, out, QStringLiteral("frmRuota1-question") + suffix);
    QTest::mouseClick(ruota1.Command8, Qt::LeftButton);
    QTest::mouseClick(ruota1.Command1, Qt::LeftButton);
    save(ruota1, out, QStringLiteral("frmRuota1-right") + suffix);
    closeAll();

    // A concave angle of 250 degrees, answered wrong and then right.
    platform::Random::scriptForTesting({0.5, 0.3, 6.5 / 17, 0.75});
    auto& ruota2 = *platform::Form::show<exercises::frmRuota2>();
    save(ruota2, out, QStringLiteral("frmRuota2-question") + suffix);
    QTest::mouseClick(ruota2.Command1, Qt::LeftButton);
    QTest::mouseClick(ruota2.Command8, Qt::LeftButton);
    save(ruota2, out, QStringLiteral("frmRuota2-right") + suffix);
    closeAll();

    // A straight angle, then twenty right angles answered in a row, then an
    // angle of 55 degrees.
    QList<double> numbers{0.5, 0.3, 3.5 / 20};
    for (int i = 0; i < 20; ++i)
        numbers += QList<double>{i % 18 / 18.0, 0.05 * i, 1.5 / 20};
    numbers += QList<double>{0.6, 0.2, 5.5 / 20, 54.5 / 180};
    platform::Random::scriptForTesting(numbers);
    auto& ruota1a = *platform::Form::show<exercises::frmRuota1a>();
    save(ruota1a, out, QStringLiteral("frmRuota1a-question") + suffix);
    QTest::mouseClick(ruota1a.Command3, Qt::LeftButton);
    for (int i = 0; i < 20; ++i)
        QTest::mouseClick(ruota1a.Command1, Qt::LeftButton);
    save(ruota1a, out, QStringLiteral("frmRuota1a-right") + suffix);
    ruota1a.activateWindow();
    ruota1a.Text1[1]->setFocus();
    save(ruota1a, out, QStringLiteral("frmRuota1a-listfocus") + suffix);
    closeAll();

    platform::Random::scriptForTesting({0.2, 0.1, 0.2});
    auto& ruota3 = *platform::Form::show<exercises::frmRuota3>();
    save(ruota3, out, QStringLiteral("frmRuota3-question") + suffix);
    QTest::mouseClick(ruota3.Command8, Qt::LeftButton);
    save(ruota3, out, QStringLiteral("frmRuota3-right") + suffix);
    closeAll();

    // Right box 5; the others from straight up and around, of several sizes.
    platform::Random::scriptForTesting({0.4, 0.7, 0.05, 0.3, 0.2, 0.9, 0.45, 0.6, 0.7, 0.1, 0.95, 0.85, 0.5});
    auto& ruota4 = *platform::Form::show<exercises::frmRuota4>();
    save(ruota4, out, QStringLiteral("frmRuota4-question") + suffix);
    QTest::mouseClick(ruota4.Picture2, Qt::LeftButton);
    QTest::mouseClick(ruota4.Picture5, Qt::LeftButton);
    save(ruota4, out, QStringLiteral("frmRuota4-right") + suffix);
    closeAll();

    // A wrong answer left in the box, then the right one: 35 degrees given.
    auto completion = [&](exercises::CompletionForm& form, const QString& name, const QString& wrong,
                          const QString& right) {
        settle();
        QTest::keyClicks(form.Text1, wrong);
        QTest::keyClick(form.Text1, Qt::Key_Return);
        save(form, out, name + QStringLiteral("-question") + suffix);
        QTest::keyClick(form.Text1, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(form.Text1, right);
        QTest::keyClick(form.Text1, Qt::Key_Return);
        save(form, out, name + QStringLiteral("-right") + suffix);
        closeAll();
    };
    platform::Random::scriptForTesting({0.3, 0.2, 34.5 / 90});
    completion(*platform::Form::show<exercises::frmRuota5>(), QStringLiteral("frmRuota5"), QStringLiteral("56"),
               QStringLiteral("55"));
    platform::Random::scriptForTesting({0.7, 0.6, 134.5 / 180});
    completion(*platform::Form::show<exercises::frmRuota6>(), QStringLiteral("frmRuota6"), QStringLiteral("55"),
               QStringLiteral("45"));
    return 0;
}
