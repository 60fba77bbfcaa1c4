#pragma once

#include "exercises/CompletionForm.h"

namespace exercises {

// Supplementary angle: the pupil completes a red angle of 1 to 180 degrees to
// a straight angle.
class frmRuota6 : public CompletionForm {
    Q_OBJECT
public:
    frmRuota6();
};

} // namespace exercises
