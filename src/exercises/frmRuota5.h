#pragma once

#include "exercises/CompletionForm.h"

namespace exercises {

// Complementary angle: the pupil completes a red angle of 1 to 90 degrees to a
// right angle.
class frmRuota5 : public CompletionForm {
    Q_OBJECT
public:
    frmRuota5();
};

} // namespace exercises
