#include "resize/clsResize.h"

#include "platform/services/ClassroomDisplay.h"
#include "platform/widgets/Form.h"
#include "platform/widgets/Properties.h"
#include "platform/services/Screen.h"
#include "resize/ResizeMath.h"
#include "resize/TextFit.h"

#include <QEvent>
#include <QMenu>

#include <algorithm>
#include <array>
#include <functional>

namespace resize {

namespace {

using PropertyNames = std::array<QString, 4>;

// None of the program's windows has a line control (its lines are drawn inside
// drawing boxes), so this answers no for every control; a line would be
// recorded and scaled by its end points instead of its box.
bool isLineControl(const QObject*)
{
    return false;
}

// The four values of a record, named as the control knows them.
const PropertyNames& propertyNames(const QObject* control)
{
    static const PropertyNames box {QStringLiteral("Left"), QStringLiteral("Top"),
        QStringLiteral("Width"), QStringLiteral("Height")};
    static const PropertyNames line {QStringLiteral("X1"), QStringLiteral("Y1"),
        QStringLiteral("X2"), QStringLiteral("Y2")};
    return isLineControl(control) ? line : box;
}

std::array<int, 4> valuesOf(const ControlLayout& record)
{
    return {record.first, record.second, record.third, record.fourth};
}

// The window's inner size. The client area follows the window only when the
// window's resize event is delivered, which for a window not shown yet waits
// until it is shown; the window's own size is already the new one, and the
// client always starts below the menu bar.
QSize innerSize(const platform::Form& form)
{
    const int menuHeight = form.client()->y();
    return QSize(form.width(), qMax(0, form.height() - menuHeight));
}

// Repainting of the window is held back while its controls move, so it
// redraws once when the whole layout has changed, not once per control.
class RepaintHold {
public:
    explicit RepaintHold(QWidget* window)
        : m_window(window)
        , m_wasEnabled(window->updatesEnabled())
    {
        m_window->setUpdatesEnabled(false);
    }
    ~RepaintHold()
    {
        if (m_window)
            m_window->setUpdatesEnabled(m_wasEnabled);
    }
    RepaintHold(const RepaintHold&) = delete;
    RepaintHold& operator=(const RepaintHold&) = delete;

private:
    QPointer<QWidget> m_window;
    bool m_wasEnabled;
};

// The parent a placed control is mirrored within; none for a menu.
QWidget* mirrorParent(QObject* control)
{
    auto* widget = qobject_cast<QWidget*>(control);
    if (!widget || qobject_cast<QMenu*>(control))
        return nullptr;
    return widget->parentWidget();
}

// Places one control from its record. A part the control cannot take (a menu
// has no place) is refused quietly and only that part is skipped. In a
// mirrored window the left edge is always set from the record, scaled or not,
// so the second pass mirrors a left-to-right place.
void placeControl(const ControlLayout& record, ScaleRatios ratios, bool mirrored)
{
    QObject* control = record.control;
    if (!control) // gone since the layout was recorded
        return;
    const std::optional<QVariant> tag = platform::controlProperty(control, QStringLiteral("Tag"));
    const ResizeDirective directive = parseDirective(tag ? tag->toString() : QString());
    const std::array<double, 4> scaled = scaleRecord(valuesOf(record), ratios);
    const PropertyNames& names = propertyNames(control);
    for (int i = 0; i < 4; ++i) {
        if (directive.scales(i))
            platform::setControlProperty(control, names[i], scaled[i]);
        else if (i == 0 && mirrored)
            platform::setControlProperty(control, names[i], record.first);
    }
}

// Once every control has its left-to-right place (a frame its final width),
// each is mirrored within its parent.
void mirrorPlaces(const QList<ControlLayout>& layout)
{
    for (const ControlLayout& record : layout) {
        QObject* control = record.control;
        QWidget* parent = control ? mirrorParent(control) : nullptr;
        if (!parent)
            continue;
        auto* widget = static_cast<QWidget*>(control);
        widget->setGeometry(placeInDirection(widget->geometry(), parent->width(), true));
    }
}

} // namespace

// Watches the parents of the controls for the layout request a control's
// new caption posts, and fits the fonts of that parent's controls again.
class TextWatch : public QObject {
public:
    explicit TextWatch(std::function<void(QObject*)> refit)
        : m_refit(std::move(refit))
    {
    }
    void watch(QObject* parent)
    {
        if (parent && !m_watched.contains(parent)) {
            m_watched.append(parent);
            parent->installEventFilter(this);
        }
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::LayoutRequest)
            m_refit(watched);
        return false;
    }

private:
    std::function<void(QObject*)> m_refit;
    QList<QPointer<QObject>> m_watched;
};

clsResize::clsResize() = default;
clsResize::~clsResize() = default;

platform::Form* clsResize::SourceForm() const
{
    return m_sourceForm;
}

void clsResize::setSourceForm(platform::Form* form)
{
    // Only the window changes: the layout recorded so far stays the reference.
    m_sourceForm = form;
}

void clsResize::ReInitialise()
{
    CaptureLayout();
}

void clsResize::SizeFormToScreen(quint8 percentage)
{
    platform::Form* form = m_sourceForm;
    if (!form)
        return;
    if (m_needsCapture)
        CaptureLayout(); // the reference is the size before this call
    const QRect target = screenFraction(platform::Screen::size(), percentage);
    // Top, left, height, width, one at a time: a window that scales its
    // controls on every resize sees each change as it happens.
    form->move(form->x(), target.top());
    form->move(target.left(), target.top());
    form->resize(form->width(), target.height());
    form->resize(target.width(), target.height());
    ResizeControls();
}

void clsResize::ResizeControls()
{
    platform::Form* form = m_sourceForm;
    if (!form || form->controls().isEmpty())
        return;
    if (form->isMinimized())
        return;
    if (m_needsCapture) {
        // The first call only records the reference and moves nothing.
        CaptureLayout();
        return;
    }
    const std::optional<ScaleRatios> ratios
        = scaleRatios(innerSize(*form), QSize(m_designWidth, m_designHeight));
    if (!ratios)
        return;
    RepaintHold hold(form);
    const bool mirrored = form->isMirrored();
    for (const ControlLayout& record : std::as_const(m_layout))
        placeControl(record, *ratios, mirrored);
    if (mirrored)
        mirrorPlaces(m_layout);
    if (platform::ClassroomDisplay::isOn())
        fitText(textScaleFor(ratios->horizontal, ratios->vertical));
    else if (m_textScale != 0)
        fitText(0); // the display was switched off: the design's fonts again
}

void clsResize::fitText(qreal scale)
{
    m_textScale = scale;
    m_sourceForm->setTextScale(scale > 0 ? scale : 1.0);
    for (const ControlLayout& record : std::as_const(m_layout))
        fitFont(record);
    if (scale <= 0) {
        m_textWatch.reset();
        return;
    }
    growTargets();
    if (!m_textWatch) {
        m_textWatch = std::make_unique<TextWatch>([this](QObject* parent) { fitFontsIn(parent); });
        for (const ControlLayout& record : std::as_const(m_layout)) {
            if (auto* widget = qobject_cast<QWidget*>(record.control.data()))
                m_textWatch->watch(widget->parentWidget());
        }
    }
}

void clsResize::fitFont(const ControlLayout& record) const
{
    auto* widget = qobject_cast<QWidget*>(record.control.data());
    if (!widget || !record.hasFont)
        return;
    QFont font = record.designFont;
    if (m_textScale > 0) {
        const qreal design = font.pointSizeF();
        const qreal wanted = design * m_textScale;
        const int lines = designLines(widget, record.designFont, record.third);
        font.setPointSizeF(fittedPointSize(widget, font, wanted, std::min(design, wanted) / 2, lines));
    }
    if (widget->font() != font)
        widget->setFont(font);
}

void clsResize::fitFontsIn(QObject* parent) const
{
    if (m_textScale <= 0)
        return;
    for (const ControlLayout& record : std::as_const(m_layout)) {
        if (record.control && record.control->parent() == parent)
            fitFont(record);
    }
}

void clsResize::growTargets() const
{
    for (const ControlLayout& record : std::as_const(m_layout)) {
        auto* widget = qobject_cast<QWidget*>(record.control.data());
        if (!widget || !isPupilTarget(widget) || !widget->parentWidget())
            continue;
        QRect place = widget->geometry();
        if (place.width() >= kTouchTarget && place.height() >= kTouchTarget)
            continue;
        const QPoint centre = place.center();
        place.setWidth(std::max(place.width(), kTouchTarget));
        place.setHeight(std::max(place.height(), kTouchTarget));
        place.moveCenter(centre);
        // Kept inside its parent.
        const QRect room = widget->parentWidget()->rect();
        place.moveLeft(std::clamp(place.left(), 0, std::max(0, room.width() - place.width())));
        place.moveTop(std::clamp(place.top(), 0, std::max(0, room.height() - place.height())));
        widget->setGeometry(place);
    }
}

void clsResize::CaptureLayout()
{
    platform::Form* form = m_sourceForm;
    if (!form)
        return;
    const QSize inner = innerSize(*form);
    m_designWidth = roundHalfEven(inner.width());
    m_designHeight = roundHalfEven(inner.height());

    const QList<QObject*>& controls = form->controls();
    m_layout = QList<ControlLayout>(controls.size());
    for (qsizetype i = 0; i < controls.size(); ++i) {
        ControlLayout& record = m_layout[i];
        record.control = controls[i];
        const PropertyNames& names = propertyNames(controls[i]);
        std::array<int*, 4> values {&record.first, &record.second, &record.third, &record.fourth};
        for (int part = 0; part < 4; ++part) {
            // A value the control cannot give (a menu has no place) stays 0.
            if (const auto value = platform::controlProperty(controls[i], names[part]))
                *values[part] = roundHalfEven(value->toDouble());
        }
        // Menus keep the platform's font; every other widget's is recorded.
        const auto* widget = qobject_cast<QWidget*>(controls[i]);
        if (widget && !qobject_cast<const QMenu*>(widget) && widget->font().pointSizeF() > 0) {
            record.designFont = widget->font();
            record.hasFont = true;
        }
        // The reference is the left-to-right layout, whichever way the window
        // is shown now.
        if (QWidget* parent = form->isMirrored() ? mirrorParent(controls[i]) : nullptr)
            record.first = placeInDirection(QRect(record.first, record.second, record.third, record.fourth),
                                            parent->width(), true).x();
    }
    m_needsCapture = false;
}

} // namespace resize
