#include "resize/clsResize.h"

#include "platform/widgets/Form.h"
#include "platform/widgets/Properties.h"
#include "platform/services/Screen.h"
#include "resize/ResizeMath.h"

#include <QMenu>

#include <array>

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
        // The reference is the left-to-right layout, whichever way the window
        // is shown now.
        if (QWidget* parent = form->isMirrored() ? mirrorParent(controls[i]) : nullptr)
            record.first = placeInDirection(QRect(record.first, record.second, record.third, record.fourth),
                                            parent->width(), true).x();
    }
    m_needsCapture = false;
}

} // namespace resize
