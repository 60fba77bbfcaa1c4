#pragma once

#include "exercise/FanDrawing.h"
#include "language/Messages.h"
#include "platform/widgets/Form.h"

#include <QElapsedTimer>
#include <QList>
#include <QPointer>
#include <QRect>

#include <functional>

class QLabel;
class QPushButton;
class QWidget;

namespace platform {
class PictureBox;
}

namespace exercise {

// Where the frame's controls stand in an exercise's design, in pixels, given
// by name: placeFrame({.feedbackArea = ..., .exitButton = ...}).
struct FrameGeometry {
    QRect feedbackArea;     // PicturesattiErrati; the icons sit in its middle
    QRect correctCaption;   // LabelEst
    QRect correctCount;     // EtichettaEsatti
    QRect wrongCaption;     // LabelErt
    QRect wrongCount;       // EtichettaErrati
    QRect nextButton{};     // BottoneAvanti (left out by an exercise without one)
    QRect exitButton;       // Command7
};

// The parts of an exercise the frame works with, stated once in its design.
struct ExerciseParts {
    // Given their user coordinates on activation.
    QList<platform::PictureBox*> drawingBoxes;
    // What the pupil answers with: a right answer disables them and "avanti"
    // enables them again (an exercise without "avanti" never locks them).
    QList<QWidget*> answerControls;
    // The choices of one question, which digits 1 to n press in their order
    // on the screen: buttons, or drawing boxes a click answers with. A
    // question that is built or typed has none, and there digits do nothing.
    QList<QWidget*> choices{};
    // "avanti"; an exercise without it asks its next question by itself.
    bool hasNextButton = true;
    // The message with the measure that a right answer shows (Label5), if any.
    QLabel* measureMessage = nullptr;
    // Takes the keyboard focus at each new question, when enabled; by default
    // the first answer control.
    QWidget* questionFocus = nullptr;
};

// What every exercise window shares: the score labels, the feedback icons,
// "avanti" and "esci", the counters and the life cycle of a question.
//
// The frame owns the start of a question: it counts it, sets a new background
// colour and hands the exercise's drawQuestion() a guard that tells a drawing
// loop, after each yield, whether its window and question are still current.
// An exercise adds its own controls, states its parts with declareParts(),
// draws in drawQuestion() and judges its answers with the two feedback
// sequences.
class ExerciseForm : public platform::Form {
    Q_OBJECT
public:
    QWidget* PicturesattiErrati = nullptr;
    QLabel* ComandoIconaSi = nullptr;
    QLabel* ComandoIconaNo = nullptr;
    QLabel* LabelEst = nullptr;
    QLabel* LabelErt = nullptr;
    QLabel* EtichettaEsatti = nullptr;
    QLabel* EtichettaErrati = nullptr;
    QPushButton* BottoneAvanti = nullptr; // nullptr in an exercise without "avanti"
    QPushButton* Command7 = nullptr;

    // Increases with every new question.
    quint64 questionNumber() const { return m_questionNumber; }
    const ExerciseParts& parts() const { return m_parts; }

    // How "esci" goes back to the menu: the shell installs it, so the frame
    // needs no knowledge of the menu. It shows the menu in place of `from`.
    static void setReturnToMenu(std::function<void(platform::Form& from)> returnToMenu);

protected:
    explicit ExerciseForm(const QString& name);

    void placeFrame(const FrameGeometry& geometry);
    // Creates Label5, the white message a right answer shows: centred,
    // hidden until then.
    QLabel* addMeasureMessage(const QRect& geometry, const QFont& font);
    void declareParts(const ExerciseParts& parts);

    // The exercise's own part of a new question: clear, choose, draw. Anything
    // that yields (a sweep) is followed by a look at `guard`: when it is no
    // longer current the procedure returns at once without touching the window.
    virtual void drawQuestion(const DrawingGuard& guard) = 0;

    // Starts a new question: counts it, draws the background colour, puts the
    // focus on the question's control and calls drawQuestion().
    void newQuestion();

    // The question on the screen in the words its answers are kept with:
    // key=value pairs (results::QuestionText), "size=35;start=90".
    virtual QString questionText() const { return {}; }
    // The round the question belongs to; empty outside a round.
    virtual QString roundId() const { return {}; }

    // The right-answer sequence: the answer kept, icon, count, sound, shown
    // count; then, with "avanti", the answer controls locked and "avanti"
    // enabled with the focus. `answer` is what the pupil gave, in the same
    // words as the question ("class=acute", "typed=55", "built=90", "box=3").
    void rightAnswerFeedback(const QString& answer);
    // Shows the measure message: the measure in plain digits followed by the
    // text of the message.
    void showMeasureMessage(int measure, language::Message message);
    // The wrong-answer sequence: the answer kept, count, shown count, icon, sound.
    void wrongAnswerFeedback(const QString& answer);

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Resize() override;
    virtual void BottoneAvanti_Click();
    void Command7_Click();

    // Escape asks to leave, as "esci" does; digits 1 to n press the choices
    // in their order on the screen.
    void keyPressEvent(QKeyEvent* event) override;
    // The window's close button asks to leave, as "esci" does.
    void closeEvent(QCloseEvent* event) override;

private:
    void showCounts();
    // Tells assistive technology what the pupil now sees next to the icon.
    void announce(QLabel* icon, const QString& message);
    QList<QWidget*> choicesOnScreen() const;
    // Presses a choice as a click does, when it is enabled.
    static void press(QWidget* choice);

    // Hands the judged answer to the recorder the program installed, if any.
    void recordAnswer(bool right, const QString& answer);

    ExerciseParts m_parts;
    quint64 m_questionNumber = 0;
    QElapsedTimer m_questionShown; // since the question was put on the screen
    int m_tries = 0;               // answers judged in this question
};

} // namespace exercise
