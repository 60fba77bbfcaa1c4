#include "platform/widgets/Accessibility.h"

#include "platform/widgets/PictureBox.h"

#include <QAccessibleWidget>

namespace platform {

namespace {

class AccessiblePicture : public QAccessibleWidget {
public:
    explicit AccessiblePicture(QWidget* widget)
        : QAccessibleWidget(widget, QAccessible::Graphic)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return widget()->toolTip();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* accessibleFor(const QString&, QObject* object)
{
    if (auto* box = qobject_cast<PictureBox*>(object))
        return new AccessiblePicture(box);
    return nullptr;
}

} // namespace

void installAccessibleRoles()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    QAccessible::installFactory(accessibleFor);
}

} // namespace platform
