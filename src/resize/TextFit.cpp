#include "resize/TextFit.h"

#include "platform/widgets/PictureBox.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOption>

#include <algorithm>
#include <cmath>

namespace resize {

namespace {
// Air left between a caption and its control's edges, in pixels.
constexpr int kAir = 2;

QString shownText(QString text)
{
    // A mnemonic's ampersand is not drawn; a doubled one is drawn once.
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(u'&');
    text.replace(u'\x01', u'&');
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

// The room a caption has inside its control, in pixels.
QSize textRoom(const QWidget* control)
{
    const QStyle* style = control->style();
    if (qobject_cast<const QCheckBox*>(control) || qobject_cast<const QRadioButton*>(control)) {
        const bool check = qobject_cast<const QCheckBox*>(control);
        const int indicator = style->pixelMetric(check ? QStyle::PM_IndicatorWidth : QStyle::PM_ExclusiveIndicatorWidth,
                                                 nullptr, control);
        const int spacing = style->pixelMetric(check ? QStyle::PM_CheckBoxLabelSpacing : QStyle::PM_RadioButtonLabelSpacing,
                                               nullptr, control);
        return QSize(control->width() - indicator - spacing - 2 * kAir, control->height() - 2 * kAir);
    }
    if (qobject_cast<const QPushButton*>(control)) {
        const int margin = style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, control);
        const int frame = style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, control);
        return QSize(control->width() - 2 * margin - 2 * kAir, control->height() - 2 * frame - 2 * kAir);
    }
    if (const auto* label = qobject_cast<const QLabel*>(control)) {
        const QRect contents = label->contentsRect();
        const int inner = 2 * label->margin() + std::max(0, label->indent());
        return QSize(contents.width() - inner, contents.height() - 2 * label->margin());
    }
    return control->size() - QSize(2 * kAir, 2 * kAir);
}

QString captionOf(const QWidget* control)
{
    if (const auto* button = qobject_cast<const QAbstractButton*>(control))
        return shownText(button->text());
    if (const auto* label = qobject_cast<const QLabel*>(control))
        return label->pixmap().isNull() ? shownText(label->text()) : QString();
    if (const auto* frame = qobject_cast<const QGroupBox*>(control))
        return shownText(frame->title());
    return {};
}

bool wraps(const QWidget* control)
{
    const auto* label = qobject_cast<const QLabel*>(control);
    return label && label->wordWrap();
}
} // namespace

double textScaleFor(double horizontal, double vertical)
{
    return std::min(horizontal, vertical);
}

int captionLines(const QWidget* control, const QFont& font, int width)
{
    const QString text = captionOf(control);
    if (text.isEmpty())
        return 1;
    const QFontMetricsF metrics(font);
    const int flags = wraps(control) ? Qt::TextWordWrap : 0;
    const QRectF bounds = metrics.boundingRect(QRectF(0, 0, std::max(1, width), 1e6), flags, text);
    return std::max(1, int(std::lround(bounds.height() / metrics.lineSpacing())));
}

bool captionFits(const QWidget* control, const QFont& font, int designLines)
{
    const QString text = captionOf(control);
    if (text.isEmpty())
        return true;
    const QSize room = textRoom(control);
    if (room.width() <= 0 || room.height() <= 0)
        return false;
    const QFontMetricsF metrics(font);
    if (qobject_cast<const QLineEdit*>(control) || qobject_cast<const QAbstractSpinBox*>(control))
        return metrics.height() <= room.height();
    if (qobject_cast<const QGroupBox*>(control))
        return metrics.horizontalAdvance(text) <= room.width() && metrics.height() <= room.height();
    const int flags = wraps(control) ? Qt::TextWordWrap : 0;
    const QRectF bounds = metrics.boundingRect(QRectF(0, 0, room.width(), 1e6), flags, text);
    if (bounds.width() > room.width() + 0.5 || bounds.height() > room.height() + 0.5)
        return false;
    return !wraps(control) || captionLines(control, font, room.width()) <= std::max(1, designLines);
}

qreal fittedPointSize(const QWidget* control, QFont font, qreal wanted, qreal smallest, int designLines)
{
    qreal size = wanted;
    while (size > smallest) {
        font.setPointSizeF(size);
        if (captionFits(control, font, designLines))
            return size;
        size = std::max(smallest, size - std::max(0.5, size * 0.04));
    }
    return smallest;
}

bool isPupilTarget(const QWidget* control)
{
    if (qobject_cast<const QAbstractButton*>(control) || qobject_cast<const QLineEdit*>(control)
        || qobject_cast<const QAbstractSpinBox*>(control) || qobject_cast<const QComboBox*>(control))
        return true;
    // A drawing box is a choice when it takes the focus.
    const auto* box = qobject_cast<const platform::PictureBox*>(control);
    return box && box->focusPolicy() != Qt::NoFocus;
}

} // namespace resize

namespace resize {
int designLines(const QWidget* control, const QFont& designFont, int designWidth)
{
    if (!wraps(control))
        return 1;
    const int frame = control->width() - textRoom(control).width();
    return captionLines(control, designFont, designWidth - frame);
}
} // namespace resize
