#include "exercises/frmRuota6.h"

namespace exercises {

frmRuota6::frmRuota6()
    : CompletionForm({.windowName = "frmRuota6",
                      .designCaption = "angolo supplementare",
                      .wholeAngle = 180,
                      .questionBefore = "0026",
                      .questionAfter = "0027",
                      .questionSecond = "0028",
                      .equationPointSize = 28})
{
}

} // namespace exercises
