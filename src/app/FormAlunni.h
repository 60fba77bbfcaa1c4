#pragma once

#include "platform/widgets/Form.h"

#include <QList>
#include <QStringList>

#include <functional>

class QLabel;
class QPushButton;

namespace app {

// Where a pupil says who is answering: the class list's names on large
// buttons, a page at a time, then on to the menu (or the exercise the run
// asks for). Shown by "Avvio" when there is a class list, and by the menu's
// way back to the names.
class FormAlunni : public platform::Form {
    Q_OBJECT
public:
    static constexpr int kColumns = 3;
    static constexpr int kRows = 5;
    static constexpr int kNamesOnAPage = kColumns * kRows;

    FormAlunni();

    // What follows the choice of a name, from this window: the menu unless
    // set otherwise before the window is shown.
    static void setNext(std::function<void(platform::Form& from)> next);

    QLabel* Label1 = nullptr;                 // "who are you?"
    QList<QPushButton*> NameButtons;          // the names of this page, in reading order
    QPushButton* CommandPrevious = nullptr;
    QPushButton* CommandNext = nullptr;
    QLabel* LabelPage = nullptr;

    const QStringList& names() const { return m_names; }
    int page() const { return m_page; }
    int pageCount() const;
    void showPage(int page);

protected:
    void Form_Load() override;
    void Form_Activate() override;
    void Form_Resize() override;
    void keyPressEvent(QKeyEvent* event) override;
    // The window's close button goes back to the splash, as no name was chosen.
    void closeEvent(QCloseEvent* event) override;

private:
    void pick(int slot);
    // Names too long for their button end in "…"; the whole name stays the
    // button's tooltip and what a screen reader says.
    void fitCaptions();

    QStringList m_names;
    int m_page = 0;
};

} // namespace app
