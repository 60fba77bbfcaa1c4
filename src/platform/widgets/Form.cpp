#include "platform/widgets/Form.h"

#include "platform/services/ClassroomDisplay.h"

#include "platform/services/FreedMemory.h"
#include "platform/widgets/Mirror.h"
#include "platform/widgets/Properties.h"
#include "platform/services/Screen.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMetaObject>
#include <QResizeEvent>

namespace platform {

namespace {
QList<Form*>& loadedList()
{
    static QList<Form*> forms;
    return forms;
}

int& windowChanges()
{
    static int count = 0;
    return count;
}
} // namespace

Form::WindowChange::WindowChange()
{
    ++windowChanges();
}

Form::WindowChange::~WindowChange()
{
    --windowChanges();
}

bool Form::windowChangeUnderWay()
{
    return windowChanges() > 0;
}

Form::Form(const QString& name)
    : QWidget(nullptr)
    , m_client(new QWidget(this))
{
    setObjectName(name);
    setAttribute(Qt::WA_DeleteOnClose, false);
    setAutoFillBackground(true);
    m_client->setObjectName(QStringLiteral("client"));
}

Form::~Form()
{
    loadedList().removeAll(this);
    giveBackFreedMemorySoon();
}

QList<Form*> Form::loadedForms()
{
    return loadedList();
}

void Form::runLoad()
{
    m_loaded = true;
    loadedList().append(this);
    followLayoutDirection();
    Form_Load();
}

void Form::showForm()
{
    if (!m_loaded)
        return;
    if (m_showAtScreenSize && !m_activated)
        fillScreen();
    QWidget::show();
    if (QGuiApplication::platformName() != QLatin1String("offscreen")) {
        raise();
        activateWindow();
    }
    if (m_activated)
        return;
    m_activated = true;
    // Activation runs from the event loop, after whoever showed the window has
    // finished its own handler.
    QPointer<Form> self(this);
    QMetaObject::invokeMethod(
        this,
        [self] {
            if (self && self->isLoaded())
                self->Form_Activate();
        },
        Qt::QueuedConnection);
}

void Form::unload()
{
    if (!m_loaded)
        return;
    m_loaded = false;
    loadedList().removeAll(this);
    hide();
    deleteLater();
}

QMenuBar* Form::menuBar()
{
    if (!m_menuBar) {
        m_menuBar = new QMenuBar(this);
        m_menuBar->setNativeMenuBar(false);
        layoutClient();
    }
    return m_menuBar;
}

QList<QObject*> Form::controls() const
{
    QList<QObject*> alive;
    for (const QPointer<QObject>& c : m_controls) {
        if (c)
            alive.append(c.data());
    }
    return alive;
}

QObject* Form::control(const QString& name, int index) const
{
    for (QObject* c : controls()) {
        if (c->objectName() == name && controlIndex(c) == index)
            return c;
    }
    return nullptr;
}

void Form::registerControl(QObject* control, const QString& name, int index)
{
    control->setObjectName(name);
    if (index >= 0)
        control->setProperty(kIndexProperty, index);
    m_controls.append(control);
}

void Form::setDesignInnerSize(int width, int height)
{
    const int menuHeight = m_menuBar ? m_menuBar->sizeHint().height() : 0;
    resize(width, height + menuHeight);
    layoutClient();
}

void Form::setBackColor(const QColor& color)
{
    QPalette p = palette();
    p.setColor(QPalette::Window, color);
    setPalette(p);
}

QColor Form::backColor() const
{
    return palette().color(QPalette::Window);
}

void Form::fillScreen()
{
    const QSize screen = Screen::size();
    if (Screen::isWindowed()) {
        // A normal window: the pupil moves it and the window manager frames it.
        resize(screen);
        return;
    }
    // The screen's size is the outer size; the frame the window manager adds
    // (if any is known yet) is taken off so the whole window stays visible.
    const QSize frameExtra = isVisible() ? frameGeometry().size() - size() : QSize(0, 0);
    move(0, 0);
    resize(screen - frameExtra);
    // A window manager may not have framed the window yet: asking it to
    // maximise keeps the title bar and the bottom row on the screen.
    if (isVisible() && QGuiApplication::platformName() != QLatin1String("offscreen"))
        setWindowState(windowState() | Qt::WindowMaximized);
}

void Form::layoutClient()
{
    const int menuHeight = m_menuBar ? m_menuBar->sizeHint().height() : 0;
    if (m_menuBar)
        m_menuBar->setGeometry(0, 0, width(), menuHeight);
    m_client->setGeometry(0, menuHeight, width(), qMax(0, height() - menuHeight));
}

void Form::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layoutClient();
    if (m_loaded)
        Form_Resize();
}

void Form::closeEvent(QCloseEvent* event)
{
    // Closing a window from its title bar unloads it; when no window is left
    // the program ends.
    event->ignore();
    unload();
    if (loadedList().isEmpty())
        QCoreApplication::quit();
}

void Form::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LayoutDirectionChange && m_loaded)
        followLayoutDirection();
}

void Form::followLayoutDirection()
{
    const bool wanted = layoutDirection() == Qt::RightToLeft;
    if (wanted == m_mirrored)
        return;
    m_mirrored = wanted;
    // Each control is mirrored within its parent's present width, so turning
    // back puts it exactly where it was.
    for (QObject* control : controls()) {
        auto* widget = qobject_cast<QWidget*>(control);
        if (!widget || qobject_cast<QMenu*>(control) || !widget->parentWidget())
            continue;
        widget->setGeometry(mirrored(widget->geometry(), widget->parentWidget()->width()));
        if (auto* label = qobject_cast<QLabel*>(widget))
            label->setAlignment(mirroredAlignment(label->alignment()));
    }
}

void Form::setTextScale(qreal scale)
{
    m_textScale = scale;
    // Also where code below the windows (the message box) can read it.
    setProperty(ClassroomDisplay::kTextScaleProperty, scale);
}

qreal Form::textScaleOf(const QWidget* widget)
{
    return ClassroomDisplay::textScaleOf(widget);
}

} // namespace platform
