#pragma once

#include "exercise/ExerciseForm.h"
#include "exercises/AngleBuilder.h"

class QGroupBox;
class QLabel;
class QPushButton;

namespace platform {
class PictureBox;
class PressButton;
}

namespace exercises {

// Build the angle: the program asks for an angle of 0 to 359 degrees and shows
// its first arm; the pupil turns a second arm out of it with six step buttons
// (left mouse button forward, any other back), then "conferma" judges it.
class frmRuota : public exercise::ExerciseForm {
    Q_OBJECT
public:
    frmRuota();

    platform::PictureBox* Picture1 = nullptr;
    QLabel* Label5 = nullptr;
    QGroupBox* Frame1 = nullptr;
    QLabel* Label1 = nullptr;
    platform::PressButton* Command5 = nullptr; // 90
    platform::PressButton* Command6 = nullptr; // 45
    platform::PressButton* Command4 = nullptr; // 30
    platform::PressButton* Command1 = nullptr; // 10
    platform::PressButton* Command2 = nullptr; // 5
    platform::PressButton* Command3 = nullptr; // 1
    QPushButton* Command9 = nullptr;           // ricomincia
    QPushButton* Command8 = nullptr;           // conferma
    QLabel* Label2 = nullptr;

    qint16 StartDegrees = 0;
    // The moving arm's direction; StartDegrees + BuiltAngle once no turn is drawing.
    qint16 CurrentDegrees = 0;
    qint16 TargetAngle = 0;
    qint16 BuiltAngle = 0;

protected:
    void Form_Activate() override;
    void Form_Resize() override;
    void drawQuestion(const exercise::DrawingGuard& guard) override { NewTargetAngle(guard); }
    QString questionText() const override;

private:
    // Tells a drawing loop, after each yield, whether it may go on: the window
    // and its question are current and the building has not been restarted.
    class BuildGuard {
    public:
        explicit BuildGuard(frmRuota* form);
        bool stillCurrent() const;

    private:
        exercise::DrawingGuard m_question;
        QPointer<frmRuota> m_form;
        quint64 m_build = 0;
    };

    void NewTargetAngle(const exercise::DrawingGuard& guard);
    void Command5_MouseDown(Qt::MouseButton button) { turn(90, turnWayFor(button)); }
    void Command6_MouseDown(Qt::MouseButton button) { turn(45, turnWayFor(button)); }
    void Command4_MouseDown(Qt::MouseButton button) { turn(30, turnWayFor(button)); }
    void Command1_MouseDown(Qt::MouseButton button) { turn(10, turnWayFor(button)); }
    void Command2_MouseDown(Qt::MouseButton button) { turn(5, turnWayFor(button)); }
    void Command3_MouseDown(Qt::MouseButton button) { turn(1, turnWayFor(button)); }
    void Command8_Click();
    void Command9_Click();

    void turn(int step, TurnWay way);
    // Draws a turn's lines one degree at a time; false when it was stopped.
    bool drawTurn(int step, TurnWay way, const BuildGuard& guard);
    // Ends the last running turn: a picture that turns drawn over each other
    // or a back turn left untidy is drawn again from the built angle.
    void tidyFigure(bool erased);
    // Keeps the step buttons square and equal whatever the window's shape.
    void squareStepButtons();
    // Starts the building afresh: turns still drawing stop.
    void restartBuilding();

    quint64 m_build = 0;     // increases when the building starts afresh
    int m_runningTurns = 0;  // turns of this building still drawing
    bool m_overlapped = false; // something drew while a turn was drawing
};

} // namespace exercises
