#pragma once

#include "exercises/ChoiceForm.h"

namespace exercises {

// Acute, right, obtuse or straight: the pupil classifies a random angle of 15
// to 180 degrees with four buttons.
class frmRuota1 : public ChoiceForm {
    Q_OBJECT
public:
    frmRuota1();

    QPushButton* Command8 = nullptr; // acuto
    QPushButton* Command1 = nullptr; // retto
    QPushButton* Command2 = nullptr; // ottuso
    QPushButton* Command3 = nullptr; // piatto
};

} // namespace exercises
