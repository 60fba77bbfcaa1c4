#include "exercises/frmRuota5.h"

namespace exercises {

frmRuota5::frmRuota5()
    : CompletionForm({.windowName = "frmRuota5",
                      .designCaption = "angolo complementare",
                      .figureToolTip = "In rosso l'angolo dato, in giallo il suo complementare",
                      .wholeAngle = 90,
                      .questionBefore = language::Message::ComplementaryBefore,
                      .questionAfter = language::Message::ComplementaryAfter,
                      .questionSecond = language::Message::ComplementaryQuestion,
                      .equationPointSize = 32})
{
}

} // namespace exercises
