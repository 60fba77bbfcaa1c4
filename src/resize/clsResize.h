#pragma once

#include <QList>
#include <QPointer>

namespace platform {
class Form;
}

namespace resize {

// The recorded place of one control: left, top, width, height (for a line
// control: X1, Y1, X2, Y2), in pixels of the window's inner area.
struct ControlLayout {
    QPointer<QObject> control;
    int first = 0;
    int second = 0;
    int third = 0;
    int fourth = 0;
};

// Keeps a window's controls in proportion to its size: records the inner size
// and every control's place once, then places each control at the same
// fractions of any new inner size. A control's tag may restrict what is scaled.
class clsResize {
public:
    clsResize() = default;
    ~clsResize();

    platform::Form* SourceForm() const;
    void setSourceForm(platform::Form* form);

    void ReInitialise();
    void SizeFormToScreen(quint8 percentage);
    void ResizeControls();

private:
    void CaptureLayout();

    QPointer<platform::Form> m_sourceForm;
    int m_designWidth = 0;
    int m_designHeight = 0;
    QList<ControlLayout> m_layout;
    bool m_needsCapture = true;
};

} // namespace resize
