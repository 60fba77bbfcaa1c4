#include "platform/widgets/Properties.h"

#include "platform/widgets/Form.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QWidget>

#include <cmath>

namespace platform {

namespace {

constexpr char kTagProperty[] = "Tag";

std::optional<QString> caption(QObject* c)
{
    if (auto* f = qobject_cast<Form*>(c))
        return f->windowTitle();
    if (auto* b = qobject_cast<QAbstractButton*>(c))
        return b->text();
    if (auto* l = qobject_cast<QLabel*>(c); l && l->pixmap().isNull())
        return l->text();
    if (auto* g = qobject_cast<QGroupBox*>(c))
        return g->title();
    if (auto* m = qobject_cast<QMenu*>(c))
        return m->title();
    if (auto* a = qobject_cast<QAction*>(c))
        return a->text();
    return std::nullopt;
}

bool setCaption(QObject* c, const QString& text)
{
    if (auto* f = qobject_cast<Form*>(c))
        f->setWindowTitle(text);
    else if (auto* b = qobject_cast<QAbstractButton*>(c))
        b->setText(text);
    else if (auto* l = qobject_cast<QLabel*>(c); l && l->pixmap().isNull())
        l->setText(text);
    else if (auto* g = qobject_cast<QGroupBox*>(c))
        g->setTitle(text);
    else if (auto* m = qobject_cast<QMenu*>(c))
        m->setTitle(text);
    else if (auto* a = qobject_cast<QAction*>(c))
        a->setText(text);
    else
        return false;
    return true;
}

// Windows and menus have no tooltip of their own.
bool hasToolTip(QObject* c)
{
    return !qobject_cast<Form*>(c) && !qobject_cast<QMenu*>(c)
        && (c->isWidgetType() || qobject_cast<QAction*>(c));
}

// A menu shows and greys out through its entry in the menu bar; the menu
// widget itself is the popup, shown only while open.
QAction* menuEntry(QObject* c)
{
    if (auto* m = qobject_cast<QMenu*>(c))
        return m->menuAction();
    return qobject_cast<QAction*>(c);
}

// Windows, menus and menu items have no place among the controls.
QWidget* placedWidget(QObject* c)
{
    if (qobject_cast<QMenu*>(c))
        return nullptr;
    return qobject_cast<QWidget*>(c);
}

int toPixels(const QVariant& v)
{
    return static_cast<int>(std::lround(v.toDouble()));
}

} // namespace

int controlIndex(const QObject* control)
{
    const QVariant v = control->property(kIndexProperty);
    return v.isValid() ? v.toInt() : -1;
}

bool setControlProperty(QObject* c, const QString& name, const QVariant& value)
{
    if (!c)
        return false;
    if (name == QLatin1String("Caption"))
        return setCaption(c, value.toString());
    if (name == QLatin1String("ToolTipText")) {
        if (!hasToolTip(c))
            return false;
        if (auto* a = qobject_cast<QAction*>(c))
            a->setToolTip(value.toString());
        else
            static_cast<QWidget*>(c)->setToolTip(value.toString());
        return true;
    }
    if (name == QLatin1String("Tag")) {
        c->setProperty(kTagProperty, value.toString());
        return true;
    }
    if (name == QLatin1String("Visible") || name == QLatin1String("Enabled")) {
        const bool on = value.toBool();
        const bool visible = name == QLatin1String("Visible");
        if (QAction* a = menuEntry(c))
            visible ? a->setVisible(on) : a->setEnabled(on);
        else if (auto* w = qobject_cast<QWidget*>(c))
            visible ? w->setVisible(on) : w->setEnabled(on);
        else
            return false;
        return true;
    }
    if (name == QLatin1String("Left") || name == QLatin1String("Top")
        || name == QLatin1String("Width") || name == QLatin1String("Height")) {
        QWidget* w = placedWidget(c);
        if (!w)
            return false;
        QRect g = w->geometry();
        const int px = toPixels(value);
        if (name == QLatin1String("Left"))
            g.moveLeft(px);
        else if (name == QLatin1String("Top"))
            g.moveTop(px);
        else if (name == QLatin1String("Width"))
            g.setWidth(qMax(0, px));
        else
            g.setHeight(qMax(0, px));
        w->setGeometry(g);
        return true;
    }
    // "Index" and "Name" are fixed at design; every other name is unknown.
    return false;
}

std::optional<QVariant> controlProperty(QObject* c, const QString& name)
{
    if (!c)
        return std::nullopt;
    if (name == QLatin1String("Caption")) {
        if (auto text = caption(c))
            return *text;
        return std::nullopt;
    }
    if (name == QLatin1String("ToolTipText")) {
        if (!hasToolTip(c))
            return std::nullopt;
        if (auto* a = qobject_cast<QAction*>(c))
            return a->toolTip();
        return static_cast<QWidget*>(c)->toolTip();
    }
    if (name == QLatin1String("Tag"))
        return c->property(kTagProperty).toString();
    if (name == QLatin1String("Name"))
        return c->objectName();
    if (name == QLatin1String("Index")) {
        const int index = controlIndex(c);
        if (index < 0)
            return std::nullopt;
        return index;
    }
    if (name == QLatin1String("Visible") || name == QLatin1String("Enabled")) {
        const bool visible = name == QLatin1String("Visible");
        if (QAction* a = menuEntry(c))
            return visible ? a->isVisible() : a->isEnabled();
        if (auto* w = qobject_cast<QWidget*>(c))
            return visible ? !w->isHidden() : w->isEnabled();
        return std::nullopt;
    }
    if (QWidget* w = placedWidget(c)) {
        const QRect g = w->geometry();
        if (name == QLatin1String("Left"))
            return g.left();
        if (name == QLatin1String("Top"))
            return g.top();
        if (name == QLatin1String("Width"))
            return g.width();
        if (name == QLatin1String("Height"))
            return g.height();
    }
    return std::nullopt;
}

} // namespace platform
