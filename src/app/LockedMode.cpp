#include "app/LockedMode.h"

#include "app/FormMenu.h"
#include "language/IniFile.h"
#include "language/LanguageSupport.h"
#include "platform/services/Settings.h"
#include "platform/widgets/Form.h"
#include "platform/widgets/MessageBox.h"
#include "shared/Modulo1.h"
#include "teacher/TeacherPassword.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMenu>
#include <QPushButton>
#include <QWidget>

namespace app {

namespace {

// Stops the closes of every window of the program (the program itself never
// closes one: it hides and unloads them, so a close is the window system's,
// from the close button or Alt+F4), unless the teacher allows them. Boxes and
// dialogs, the password's own among them, close as usual.
class CloseGuard : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Close)
            return false;
        auto* window = qobject_cast<platform::Form*>(watched);
        if (!window)
            return false;
        if (m_asking) {
            event->ignore();
            return true;
        }
        m_asking = true;
        const bool allowed = teacherLetsWindowClose(window);
        m_asking = false;
        if (allowed)
            return false;
        event->ignore();
        return true;
    }

private:
    bool m_asking = false; // a second close while the password is asked waits for the answer
};

CloseGuard*& guard()
{
    static CloseGuard* g = nullptr;
    return g;
}

} // namespace

bool lockedBySchoolSettings()
{
    const QString value = language::ReadIniString(platform::schoolSettingsPath(), QStringLiteral("Program"),
                                                  QStringLiteral("Locked"));
    return value.trimmed() == QLatin1String("1");
}

void setLocked(bool locked)
{
    if (locked == isLocked())
        return;
    if (locked) {
        guard() = new CloseGuard(qApp);
        qApp->installEventFilter(guard());
    } else {
        delete guard();
        guard() = nullptr;
    }
}

bool isLocked()
{
    return guard() != nullptr;
}

void lockMenu(FormMenu& menu)
{
    // Hidden and disabled: neither a click nor its mnemonic reaches it.
    menu.Command1->hide();
    menu.Command1->setEnabled(false);
    menu.mnuLanguages->menuAction()->setVisible(false);
    menu.mnuLanguages->menuAction()->setEnabled(false);
}

bool teacherLetsWindowClose(QWidget* window)
{
    if (teacher::currentPasswordHash().isEmpty()) {
        // A pupil must not be the one to choose the teacher's password.
        platform::MessageBox::show({language::LookupString(language::Message::LockedNoPassword),
                                    platform::MessageIcon::Information, platform::MessageButtons::Ok,
                                    shared::messageBoxTitle()});
        return false;
    }
    return teacher::askTeacherPassword(window);
}

} // namespace app
