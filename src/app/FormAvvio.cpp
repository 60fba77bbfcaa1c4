#include "app/FormAvvio.h"

#include "app/FormAlunni.h"
#include "app/FormMenu.h"
#include "app/PupilNames.h"
#include "app/WindowCatalog.h"
#include "shared/Modulo1.h"
#include "shared/ModuloColoriSuoni.h"
#include "language/LanguageSupport.h"
#include "language/TranslateForm.h"
#include "platform/widgets/Controls.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>

namespace app {

using namespace platform;

FormAvvio::FormAvvio()
    : Form(QStringLiteral("FormAvvio"))
{
    setWindowTitle(QStringLiteral("Gonioma"));
    setDesignInnerSize(twips(9600), twips(7200));
    showAtScreenSize();

    const QString comic = QStringLiteral("Comic Sans MS");
    Label2[0] = addControl(newLabel(client(), twipsRect(240, 600, 9120, 2850), QStringLiteral("Gonioma")),
                           QStringLiteral("Label2"), 0);
    Label2[0]->setFont(designFont(comic, 99.75, true));
    Label2[1] = addControl(
        newLabel(client(), twipsRect(240, 3750, 9120, 600), QStringLiteral("Esercitazioni matematiche")),
        QStringLiteral("Label2"), 1);
    Label2[1]->setFont(designFont(comic, 18, true));
    Label2[2] = addControl(newLabel(client(), twipsRect(240, 4500, 9120, 510), QStringLiteral("31 agosto 2003")),
                           QStringLiteral("Label2"), 2);
    Label2[2]->setFont(designFont(comic, 15.75, true));
    for (QLabel* label : Label2) {
        label->setAlignment(Qt::AlignCenter);
        label->setWordWrap(false);
    }

    BottoneAvvio = addControl(newButton(client(), twipsRect(3600, 5700, 2400, 720), QStringLiteral("Avvio")),
                              QStringLiteral("BottoneAvvio"));
    BottoneAvvio->setFont(designFont(comic, 20, true));
    BottoneAvvio->setDefault(true);
    connect(BottoneAvvio, &QPushButton::clicked, this, &FormAvvio::BottoneAvvio_Click);
}

void FormAvvio::Form_Load()
{
    language::CurrentLanguageFile = language::languageForTheRun();
    QPointer<FormAvvio> self(this);
    language::TranslateForm(this);
    // The translation lets the event loop run; the program may have ended meanwhile.
    if (!self || !self->isLoaded())
        return;
    shared::bindSharedResizer(this);
    setBackColor(shared::RandomBackColor());
}

void FormAvvio::Form_Activate()
{
    fillScreen();
    BottoneAvvio->setFocus();
}

void FormAvvio::Form_Resize()
{
    shared::resizeWithSharedResizer();
}

namespace {
QString& windowAfterSplash()
{
    static QString name;
    return name;
}
} // namespace

void FormAvvio::openAfterSplash(const QString& windowName)
{
    windowAfterSplash() = windowName;
}

void FormAvvio::BottoneAvvio_Click()
{
    // With a class list the pupil first says who is answering.
    if (!windowChangeUnderWay() && !classListNames().isEmpty()) {
        FormAlunni::setNext(&FormAvvio::continueAfterSplash);
        changeTo<FormAlunni>();
        return;
    }
    continueAfterSplash(*this);
}

void FormAvvio::continueAfterSplash(Form& from)
{
    if (const std::optional<WindowEntry> window = findWindow(windowAfterSplash()))
        window->openFrom(from);
    else
        from.changeTo<FormMenu>();
}

} // namespace app
