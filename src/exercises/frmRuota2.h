#pragma once

#include "exercises/ChoiceForm.h"

namespace exercises {

// Concave or convex: the pupil tells whether a random angle is smaller or
// larger than a straight angle (it is never exactly one).
class frmRuota2 : public ChoiceForm {
    Q_OBJECT
public:
    frmRuota2();

    QPushButton* Command8 = nullptr; // concavo
    QPushButton* Command1 = nullptr; // convesso
};

} // namespace exercises
