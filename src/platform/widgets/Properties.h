#pragma once

#include <QString>
#include <QVariant>

#include <optional>

class QObject;

namespace platform {

// The dynamic property that carries a control-array element's index.
inline constexpr char kIndexProperty[] = "controlIndex";

// Properties by name, as the language files and the resizer address them:
// "Caption", "ToolTipText", "Tag", "Left", "Top", "Width", "Height",
// "Visible", "Enabled", "Index", "Name". One table maps each name onto the kind
// of control; a property that a control lacks fails quietly (false or nullopt)
// and nothing is created on the control.
bool setControlProperty(QObject* control, const QString& name, const QVariant& value);
std::optional<QVariant> controlProperty(QObject* control, const QString& name);

// The index of a control-array element, or -1 for a control that is not in an array.
int controlIndex(const QObject* control);

} // namespace platform
