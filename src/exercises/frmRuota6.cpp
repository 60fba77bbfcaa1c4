#include "exercises/frmRuota6.h"

namespace exercises {

frmRuota6::frmRuota6()
    : CompletionForm({.windowName = "frmRuota6",
                      .designCaption = "angolo supplementare",
                      .figureToolTip = "In rosso l'angolo dato, in giallo il suo supplementare",
                      .wholeAngle = 180,
                      .questionBefore = language::Message::SupplementaryBefore,
                      .questionAfter = language::Message::SupplementaryAfter,
                      .questionSecond = language::Message::SupplementaryQuestion,
                      .equationPointSize = 28})
{
}

} // namespace exercises
