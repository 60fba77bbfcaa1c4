#pragma once

#include <QFont>
#include <QList>
#include <QPointer>

#include <memory>

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
    // A widget's font as designed; text grows from it with the classroom display.
    QFont designFont;
    bool hasFont = false;
};

class TextWatch;

// Keeps a window's controls in proportion to its size: records the inner size
// and every control's place once, then places each control at the same
// fractions of any new inner size. A control's tag may restrict what is scaled.
//
// With the classroom display on, it also scales each control's font by the
// smaller of the two ratios and fits it to the control, again whenever a
// caption changes, and makes every control a pupil uses at least
// kTouchTarget pixels square. With it off, fonts are left alone.
class clsResize {
public:
    clsResize();
    ~clsResize();

    platform::Form* SourceForm() const;
    void setSourceForm(platform::Form* form);

    void ReInitialise();
    void SizeFormToScreen(quint8 percentage);
    void ResizeControls();

private:
    void CaptureLayout();
    void fitText(qreal scale);
    void fitFont(const ControlLayout& record) const;
    void fitFontsIn(QObject* parent) const;
    void growTargets() const;

    QPointer<platform::Form> m_sourceForm;
    int m_designWidth = 0;
    int m_designHeight = 0;
    QList<ControlLayout> m_layout;
    bool m_needsCapture = true;
    // The text scale last applied; 0 while fonts are left as designed.
    qreal m_textScale = 0;
    std::unique_ptr<TextWatch> m_textWatch;
};

} // namespace resize
