#pragma once

#include "platform/widgets/Form.h"

#include <QList>

class QAction;
class QCheckBox;
class QMenu;
class QPushButton;

namespace app {

// The main menu: one button per exercise, the sounds switch, the information
// box, the end of the program and the language menu.
class FormMenu : public platform::Form {
    Q_OBJECT
public:
    FormMenu();

    QPushButton* Command2 = nullptr;  // build the angle
    QPushButton* Command5 = nullptr;  // compare two angles
    QPushButton* Command6 = nullptr;  // find the right angle
    QPushButton* Command3 = nullptr;  // acute, right, obtuse, straight
    QPushButton* Command4 = nullptr;  // concave or convex
    QPushButton* Command9 = nullptr;  // complementary angle
    QPushButton* Command10 = nullptr; // supplementary angle
    QPushButton* Command7 = nullptr;  // classification by measure
    QCheckBox* Check1 = nullptr;
    QPushButton* Command8 = nullptr;  // information
    QPushButton* Command1 = nullptr;  // end of the program
    QMenu* mnuLanguages = nullptr;
    QList<QAction*> mnuLanguage;

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
    void connectExerciseButtons();
    void giveLanguageMenuAMnemonic();
};

} // namespace app
