#include "platform/ListTextBox.h"

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

} // namespace platform
