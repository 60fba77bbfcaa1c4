#include "exercise/TypedAnswerBox.h"

#include "exercise/AnswerText.h"

#include <QKeyEvent>

namespace exercise {

AnswerValidator::AnswerValidator(int maxLength, QObject* parent)
    : QValidator(parent)
    , m_maxLength(maxLength)
{
}

QValidator::State AnswerValidator::validate(QString& input, int& pos) const
{
    // The box takes the returned text in place of the one offered, so what
    // was refused never shows, not even for a moment.
    KeptAnswer kept = keptAnswer(input, pos);
    if (kept.text.size() > m_maxLength)
        return Invalid; // the box keeps the text it had
    input = std::move(kept.text);
    pos = kept.cursor;
    return Acceptable;
}

TypedAnswerBox::TypedAnswerBox(QWidget* parent, int maxLength)
    : QLineEdit(parent)
{
    // The validator, not the box's own limit, counts the characters: a pasted
    // "1 2 3" is three characters long once its blanks are out.
    setValidator(new AnswerValidator(maxLength, this));
}

void TypedAnswerBox::keyReleaseEvent(QKeyEvent* event)
{
    QLineEdit::keyReleaseEvent(event);
    // A key held down repeats its press, not its release: one answer per press.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && !event->isAutoRepeat() && !text().isEmpty())
        emit answerGiven(text());
}

} // namespace exercise
