#pragma once

#include <QPlainTextEdit>
#include <QString>

namespace platform {

// A list the program writes and the pupil only reads: a multi-line text box
// that nothing typed, deleted, cut, pasted or dropped can change. Its text is
// kept exactly as the program wrote it (line breaks as carriage return and
// line feed), and every addition scrolls to the newest line. A pupil may still
// Tab to it and scroll it with the keys; it then wears the program's focus
// frame, as buttons do. A character typed into it stops there: it reaches
// none of the window's own keys either.
class ListTextBox : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit ListTextBox(QWidget* parent = nullptr);

    // The text as written, line breaks included.
    const QString& text() const { return m_text; }

    // Adds `more` at the end and brings the last line into view.
    void appendText(const QString& more);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QString m_text;
};

} // namespace platform
