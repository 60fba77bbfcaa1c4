#pragma once

#include "platform/Form.h"
#include "platform/Palette.h"

#include <QList>
#include <QPointer>

#include <QLabel>
class QPushButton;
class QWidget;

namespace platform {
class PictureBox;
}

namespace exercise {

// Where the frame's controls stand in an exercise's design, in pixels.
struct FrameGeometry {
    QRect feedbackArea;     // PicturesattiErrati; the icons sit in its middle
    QRect correctCaption;   // LabelEst
    QRect correctCount;     // EtichettaEsatti
    QRect wrongCaption;     // LabelErt
    QRect wrongCount;       // EtichettaErrati
    QRect nextButton;       // BottoneAvanti
    QRect exitButton;       // Command7
};

// What every exercise window shares: the score labels, the feedback icons,
// "avanti" and "esci", the counters and the life cycle of a question. An
// exercise adds its own drawing boxes and answer controls, its new-question
// procedure and its judging.
class ExerciseForm : public platform::Form {
    Q_OBJECT
public:
    explicit ExerciseForm(const QString& name);

    QWidget* PicturesattiErrati = nullptr;
    QLabel* ComandoIconaSi = nullptr;
    QLabel* ComandoIconaNo = nullptr;
    QLabel* LabelEst = nullptr;
    QLabel* LabelErt = nullptr;
    QLabel* EtichettaEsatti = nullptr;
    QLabel* EtichettaErrati = nullptr;
    QPushButton* BottoneAvanti = nullptr;
    QPushButton* Command7 = nullptr;

    // Increases with every new question; a drawing that started for an older
    // question stops when it sees a newer one.
    quint64 questionNumber() const { return m_questionNumber; }

protected:
    // Palette colours of the arms and of the sweep lines.
    int ArmColor = 0;
    int FillColor = 0;

    void placeFrame(const FrameGeometry& geometry);

    // The drawing boxes: their line width is set on load and their user
    // coordinates on activation.
    void setDrawingBoxes(const QList<platform::PictureBox*>& boxes) { m_boxes = boxes; }
    // The controls a right answer disables and "avanti" enables, in that order.
    void setAnswerControls(const QList<QWidget*>& controls) { m_answerControls = controls; }
    // The message label shown after a right answer, when the exercise has one.
    void setMessageLabel(QLabel* label) { m_messageLabel = label; }
    QLabel* messageLabel() const { return m_messageLabel; }

    // The exercise's new-question procedure.
    virtual void newQuestion() = 0;
    // Marks the start of a new question (call first in newQuestion).
    void beginQuestion() { ++m_questionNumber; }

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Resize() override;
    virtual void BottoneAvanti_Click();
    void Command7_Click();

    // The standard answer sequences. The right-answer one stops before its
    // message: showMeasureMessage gives the usual one.
    void rightAnswerFeedback();
    void showMeasureMessage(int measure, const QString& messageId);
    void wrongAnswerFeedback();

    void showCounts();

private:
    QList<platform::PictureBox*> m_boxes;
    QList<QWidget*> m_answerControls;
    QPointer<QLabel> m_messageLabel;
    quint64 m_questionNumber = 0;
};

} // namespace exercise
