#pragma once

#include "platform/widgets/Form.h"
#include "platform/widgets/Mirror.h"

#include <QList>
#include <QMenu>
#include <QRect>

// The places of a window's controls, for comparing a window in a language
// written left to right with the same window written right to left.
using Places = QList<QRect>;

// The place of every control that has one (menus have none), in design order.
inline Places placesOf(const platform::Form& form)
{
    Places places;
    for (QObject* control : form.controls()) {
        if (auto* w = qobject_cast<QWidget*>(control); w && !qobject_cast<QMenu*>(control))
            places.append(w->geometry());
    }
    return places;
}

// Left-to-right places mirrored within each control's parent as it is now.
inline Places mirroredPlaces(const platform::Form& form, const Places& leftToRight)
{
    Places mirrored;
    qsizetype i = 0;
    for (QObject* control : form.controls()) {
        if (auto* w = qobject_cast<QWidget*>(control); w && !qobject_cast<QMenu*>(control))
            mirrored.append(platform::mirrored(leftToRight.value(i++), w->parentWidget()->width()));
    }
    return mirrored;
}

