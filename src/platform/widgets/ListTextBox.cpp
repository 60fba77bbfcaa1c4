#include "platform/widgets/ListTextBox.h"

#include "platform/widgets/FocusStyle.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextCursor>

namespace platform {

ListTextBox::ListTextBox(QWidget* parent)
    : QPlainTextEdit(parent)
{
    // Read-only outright, not only deaf to typed characters: Delete, cut,
    // paste, undo and drops would otherwise still change the list.
    setReadOnly(true);
    setAcceptDrops(false);
    setUndoRedoEnabled(false);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

void ListTextBox::appendText(const QString& more)
{
    m_text += more;
    QTextCursor end(document());
    end.movePosition(QTextCursor::End);
    end.insertText(more);
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

void ListTextBox::keyPressEvent(QKeyEvent* event)
{
    QPlainTextEdit::keyPressEvent(event);
    // The list ignores what it cannot use, and the window would take it: a
    // digit would answer the question. Escape goes on, to ask to leave;
    // Tab never comes here, it moves the focus before.
    if (!event->text().isEmpty() && event->key() != Qt::Key_Escape)
        event->accept();
}

// The focus frame lies along the box's border and runs on into the text area
// inside it, so it is drawn twice: on the box (here) and on the text area
// (paintEvent), each time at the box's outer edge.
bool ListTextBox::event(QEvent* event)
{
    const bool handled = QPlainTextEdit::event(event);
    if (event->type() == QEvent::Paint && hasFocus()) {
        QPainter painter(this);
        FocusStyle::drawFocusFrame(&painter, rect());
    }
    return handled;
}

void ListTextBox::paintEvent(QPaintEvent* event)
{
    QPlainTextEdit::paintEvent(event);
    if (hasFocus()) {
        QPainter painter(viewport());
        FocusStyle::drawFocusFrame(&painter, QRect(-viewport()->mapTo(this, QPoint(0, 0)), size()));
    }
}

void ListTextBox::focusInEvent(QFocusEvent* event)
{
    QPlainTextEdit::focusInEvent(event);
    update();
    viewport()->update();
}

void ListTextBox::focusOutEvent(QFocusEvent* event)
{
    QPlainTextEdit::focusOutEvent(event);
    update();
    viewport()->update();
}

} // namespace platform
