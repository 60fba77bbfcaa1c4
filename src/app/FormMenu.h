#pragma once

#include "platform/widgets/Form.h"

#include <QList>

class QAction;
class QColor;
class QCheckBox;
class QLabel;
class QFont;
class QRect;
class QMenu;
class QPushButton;

namespace app {

// The main menu: one button per exercise, the sounds switch, the information
// box, the end of the program and the language menu. The exercise buttons are
// made from the window catalogue, in its order.
class FormMenu : public platform::Form {
    Q_OBJECT
public:
    FormMenu();

    // The buttons that open the exercises, in menu order, one for each
    // registered exercise and named as it says ("Command2"...).
    const QList<QPushButton*>& exerciseButtons() const { return m_exerciseButtons; }
    // The exercise button of that name; nullptr when there is none.
    QPushButton* exerciseButton(const QString& name) const;

    QCheckBox* Check1 = nullptr;
    QPushButton* Command8 = nullptr;  // information
    QPushButton* Command1 = nullptr;  // end of the program
    QAction* cmdTeacher = nullptr; // the teacher's view, in the menu bar and on Ctrl+Shift+T, behind the password
    QMenu* mnuLanguages = nullptr;
    QList<QAction*> mnuLanguage;
    QMenu* mnuView = nullptr;
    QAction* mnuClassroom = nullptr; // the classroom display, on or off

    // Switches the classroom display and remembers it for this account.
    void mnuClassroom_Click(bool on);
    // Back to the class list's names; shown only when there is one.
    QAction* mnuPupils = nullptr;
    // One small line, at the right of the menu bar, when answers cannot be kept.
    QLabel* LabelResults = nullptr;

    void mnuLanguage_Click(int index);

    // What heads the information box: the program's name and version. The
    // program has no web or mail address of its own, so it shows none.
    static QString creditText();
    // Lets every exercise's "esci" come back to the menu.
    static void becomeExercisesHome();

    // The credit followed by the optional lines 9996 to 9999 of the language file.
    static QString informationText();

protected:
    void Form_Load() override;
    void Form_Activate() override;
    void Form_Resize() override;
    // The window's close button asks to end the program, as "Esci" does.
    void closeEvent(QCloseEvent* event) override;

private:
    void MLSFillMenuLanguages();
    QAction* newLanguageItem(int index, const QString& caption);
    void Check1_Click();
    void Command1_Click();
    void Command8_Click();
    void cmdTeacher_Click();
    QFont controlFont() const;
    // A button of the menu's look at its design place, given in twips.
    QPushButton* addButton(const QString& name, const QRect& place, const QString& caption);
    void addExerciseButtons();
    void giveLanguageMenuAMnemonic();
    void addViewMenu();
    void takeBackColor(const QColor& colour);
    // The way back to the names and the results line, as things stand now.
    void showPupilsAndResults();

    QList<QPushButton*> m_exerciseButtons;
};

} // namespace app
