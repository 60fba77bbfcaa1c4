#pragma once

#include <QLineEdit>
#include <QValidator>

namespace exercise {

// Keeps only answer characters in a box, by whatever way they came, and
// refuses a text longer than the box allows.
class AnswerValidator : public QValidator {
    Q_OBJECT
public:
    AnswerValidator(int maxLength, QObject* parent);

    State validate(QString& input, int& pos) const override;

private:
    int m_maxLength;
};

// The box where the pupil types a number and gives it with Enter.
//
// It holds only digits and commas, up to its length limit: a character of
// any other kind is dropped, whether it was typed, pasted, dropped on the box
// or composed by an input method. Enter or the keypad's Enter gives the
// answer when the key is released, once per press however long it is held;
// an empty box gives nothing.
class TypedAnswerBox : public QLineEdit {
    Q_OBJECT
public:
    // A line edit's own limit: the answer windows take an answer of any length
    // the pupil types ("0055" is 55), so the box cuts nothing a pupil writes.
    static constexpr int kDefaultMaxLength = 32767;

    explicit TypedAnswerBox(QWidget* parent = nullptr, int maxLength = kDefaultMaxLength);

signals:
    void answerGiven(const QString& text);

protected:
    void keyReleaseEvent(QKeyEvent* event) override;
};

} // namespace exercise
