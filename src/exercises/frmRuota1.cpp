#include "exercises/frmRuota1.h"

#include "exercises/AngleClasses.h"
#include "platform/services/Random.h"

namespace exercises {

namespace {
template <AngleClass angleClass> bool claims(int size)
{
    return belongsTo(angleClass, size);
}

// The first arm anywhere, then one of the twelve sizes 15, 30, ..., 180.
AngleQuestion fifteenDegreeSteps(const RandomDraw& next)
{
    AngleQuestion question;
    question.startDegrees = platform::integerPart(next() * 360);
    question.size = platform::integerPart(next() * 12 + 1) * 15;
    return question;
}
} // namespace

frmRuota1::frmRuota1()
    : ChoiceForm({.windowName = "frmRuota1",
                  .designCaption = "acuto - retto - ottuso - piatto",
                  .figureToolTip = "L'angolo da riconoscere",
                  .buttons = {{"Command8", "acuto", &claims<AngleClass::Acute>, language::Message::IsAcute, "acute"},
                              {"Command1", "retto", &claims<AngleClass::Right>, language::Message::IsRight, "right"},
                              {"Command2", "ottuso", &claims<AngleClass::Obtuse>, language::Message::IsObtuse, "obtuse"},
                              {"Command3", "piatto", &claims<AngleClass::Straight>, language::Message::IsStraight, "straight"}},
                  .rows = {.firstTop = 36, .step = 56, .height = 46},
                  .measureMessage = {.geometry = QRect(236, 28, 268, 84), .fontFamily = nullptr, .pointSize = 18},
                  .chooseQuestion = &fifteenDegreeSteps})
    , Command8(answerButton(0))
    , Command1(answerButton(1))
    , Command2(answerButton(2))
    , Command3(answerButton(3))
{
}

} // namespace exercises
