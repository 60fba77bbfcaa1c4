#pragma once

#include "exercise/ExerciseForm.h"
#include "exercises/RightAngleSet.h"

#include <array>

class QFrame;
class QLabel;

namespace platform {
class PictureBox;
} // namespace platform

namespace exercises {

// Find the right angle: six angles in random directions, exactly one of them
// right; the pupil clicks the box that holds it, which is then framed in red.
class frmRuota4 : public exercise::ExerciseForm {
    Q_OBJECT
public:
    frmRuota4();

    // Top row left to right, then the bottom row under it.
    platform::PictureBox* Picture1 = nullptr;
    platform::PictureBox* Picture2 = nullptr;
    platform::PictureBox* Picture3 = nullptr;
    platform::PictureBox* Picture4 = nullptr;
    platform::PictureBox* Picture5 = nullptr;
    platform::PictureBox* Picture6 = nullptr;
    QFrame* Shape1 = nullptr; // frames the right box once found
    QLabel* Label2 = nullptr;

    // Box 1 to 6.
    platform::PictureBox* box(int number) const { return m_boxes.at(size_t(number - 1)); }
    // The angle of a box, as last chosen.
    BoxAngle angle(int number) const { return m_angles.at(size_t(number - 1)); }
    // Whether the box has its angle of the current question yet.
    bool chosenInThisQuestion(int number) const;

protected:
    void drawQuestion(const exercise::DrawingGuard& guard) override { NewAngleSet(guard); }
    QString questionText() const override;
    void Form_Resize() override;
    void BottoneAvanti_Click() override;

private:
    void NewAngleSet(const exercise::DrawingGuard& guard);
    void Picture_Click(int number);
    // Puts Shape1 around the box, keeping the size the design gave it.
    void frameBox(int number);

    std::array<platform::PictureBox*, kAngleBoxCount> m_boxes{};
    std::array<BoxAngle, kAngleBoxCount> m_angles{};
    // The question in which each box last had its angle chosen.
    std::array<quint64, kAngleBoxCount> m_chosenIn{};
    int m_framedBox = 0; // the box Shape1 stands around, 0 while hidden
};

} // namespace exercises
