#pragma once

#include <QColor>

class QWidget;

namespace platform {

// The classroom display: one switch, off by default, for a computer whose
// screen or projector pupils watch from across the room. With it on, text
// grows with the window, the figure is drawn with thick smooth arms and a
// solid fan in colours that stand apart, the window colours are calm ones,
// and every control a pupil uses is large enough for a finger.
//
// Whether it is on is remembered for this computer account, in the program's
// own settings (key Display/Classroom of accountSettingsPath()); a run may
// also switch it for itself alone. The drawing code and the resizer ask
// isOn() and keep their usual ways while it answers no.
class ClassroomDisplay {
public:
    static bool isOn();
    // For this run only.
    static void setOn(bool on);
    // The remembered choice; off when nothing was remembered.
    static bool remembered();
    // Remembers the choice for this account and switches the run to it.
    // False when the settings could not be written (the run still follows it).
    static bool remember(bool on);
    // Switches the run to the remembered choice, as at start-up.
    static void followRemembered() { setOn(remembered()); }

    // How much a window's text has grown (see Form::textScale), kept on the
    // window as this property; 1 for a window that keeps its design sizes.
    static constexpr char kTextScaleProperty[] = "goniomaTextScale";
    static qreal textScaleOf(const QWidget* widget);
};

// Colours of the figure with the display on: dark red arms and a dark orange
// fan on the white box, each at least 3:1 against what it lies on.
inline constexpr QRgb kClassroomArm = 0x800000;
inline constexpr QRgb kClassroomFan = 0xE06E00;
inline constexpr QRgb kClassroomPaper = 0xFFFFFF;

// The contrast ratio of two colours as the web's accessibility guidelines
// define it: (L1 + 0.05) / (L2 + 0.05) of their relative luminances, 1 to 21.
double contrastRatio(const QColor& a, const QColor& b);

// A colour's distance to another as the eye sees it (CIE 1976 delta E).
double colourDistance(const QColor& a, const QColor& b);

} // namespace platform
