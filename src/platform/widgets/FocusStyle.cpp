#include "platform/widgets/FocusStyle.h"

#include "platform/services/ClassroomDisplay.h"
#include "platform/widgets/ButtonFace.h"
#include "platform/widgets/Form.h"

#include <QPainter>
#include <QStyleOption>

#include <algorithm>
#include <cmath>

namespace platform {

namespace {
constexpr int kBand = 2;
}

FocusStyle::FocusStyle()
    : QProxyStyle()
{
}

int FocusStyle::bandFor(const QWidget* widget)
{
    if (!widget || !ClassroomDisplay::isOn())
        return kBand;
    // The frame grows with the window's text, as the rest of the control does.
    return std::max(kBand, int(std::lround(kBand * Form::textScaleOf(widget))));
}

void FocusStyle::drawFocusFrame(QPainter* painter, const QRect& rect, const QWidget* widget)
{
    const int kBand = bandFor(widget);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setBrush(Qt::NoBrush);
    const auto band = [&](const QRect& r, const QColor& colour) {
        for (int i = 0; i < kBand; ++i) {
            painter->setPen(colour);
            painter->drawRect(r.adjusted(i, i, -i - 1, -i - 1));
        }
    };
    band(rect, Qt::black);
    band(rect.adjusted(kBand, kBand, -kBand, -kBand), Qt::white);
    painter->restore();
}

void FocusStyle::drawButtonFace(const QStyleOption* option, QPainter* painter, const QWidget* widget) const
{
    const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option);
    if (button && (button->features & QStyleOptionButton::Flat) && !(option->state & (State_Sunken | State_On))) {
        QProxyStyle::drawPrimitive(PE_PanelButtonCommand, option, painter, widget);
        return;
    }
    ButtonLook look;
    look.enabled = option->state & State_Enabled;
    look.pressed = option->state & (State_Sunken | State_On);
    look.hovered = look.enabled && (option->state & State_MouseOver);
    look.isDefault = button && (button->features & QStyleOptionButton::DefaultButton) && look.enabled;
    platform::drawButtonFace(painter, option->rect, option->palette, look);
}

void FocusStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                               const QWidget* widget) const
{
    switch (element) {
    case PE_FrameFocusRect:
        drawFocusFrame(painter, option->rect, widget);
        return;
    case PE_PanelButtonCommand:
        drawButtonFace(option, painter, widget);
        return;
    case PE_FrameLineEdit:
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        if (option->state & State_HasFocus)
            drawFocusFrame(painter, option->rect, widget);
        return;
    default:
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }
}

int FocusStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const
{
    const int base = QProxyStyle::pixelMetric(metric, option, widget);
    if (!widget || !ClassroomDisplay::isOn())
        return base;
    switch (metric) {
    case PM_IndicatorWidth:
    case PM_IndicatorHeight:
    case PM_ExclusiveIndicatorWidth:
    case PM_ExclusiveIndicatorHeight:
        // A check box's square grows with its window's text.
        return int(std::lround(base * std::max(1.0, Form::textScaleOf(widget))));
    default:
        return base;
    }
}

void FocusStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                             const QWidget* widget) const
{
    QProxyStyle::drawControl(element, option, painter, widget);
    // Buttons wear the frame round their whole face, whatever the base style
    // draws for their focus.
    if (element == CE_PushButton && (option->state & State_HasFocus))
        drawFocusFrame(painter, option->rect, widget);
}

} // namespace platform
