#include "exercises/frmRuota5.h"

namespace exercises {

frmRuota5::frmRuota5()
    : CompletionForm({.windowName = "frmRuota5",
                      .designCaption = "angolo complementare",
                      .wholeAngle = 90,
                      .questionBefore = "0034",
                      .questionAfter = "0035",
                      .questionSecond = "0036",
                      .equationPointSize = 32})
{
}

} // namespace exercises
