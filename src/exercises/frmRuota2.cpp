#include "exercises/frmRuota2.h"

#include "exercises/ConcaveConvex.h"

namespace exercises {

namespace {
template <Convexity convexity> bool claims(int size)
{
    return answerIsRight(convexity, size);
}
} // namespace

frmRuota2::frmRuota2()
    : ChoiceForm({.windowName = "frmRuota2",
                  .designCaption = "concavo  -  convesso",
                  .figureToolTip = "L'angolo da riconoscere",
                  // Concave above, convex under it.
                  .buttons = {{"Command8", "concavo", &claims<Convexity::Concave>, language::Message::IsConcave, "concave"},
                              {"Command1", "convesso", &claims<Convexity::Convex>, language::Message::IsConvex, "convex"}},
                  .rows = {.firstTop = 60, .step = 100, .height = 64},
                  .measureMessage = {.geometry = QRect(226, 28, 278, 84), .fontFamily = "Arial", .pointSize = 15.75},
                  .chooseQuestion = &concaveConvexQuestion})
    , Command8(answerButton(0))
    , Command1(answerButton(1))
{
}

} // namespace exercises
