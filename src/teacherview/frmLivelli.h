#pragma once

#include "exercises/levels/Level.h"
#include "platform/widgets/Form.h"

#include <QHash>
#include <QList>
#include <QString>

#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace teacherview {

// The teacher's editor of the exercises' levels: an exercise's level in
// force, its values to change, each change checked at once, and the level
// saved into that exercise's section of the school settings file. A level
// that cannot be answered right is never saved.
class frmLivelli : public platform::Form {
    Q_OBJECT
public:
    frmLivelli();
    ~frmLivelli() override;

    // The exercises' captions as the menu shows them, for the window opened next.
    static void setCaptions(QHash<QString, QString> captions);
    // Where "Save as..." writes, asked in place of the file dialog; empty: nothing.
    static void setSaveAsPromptForTesting(std::function<QString()> prompt);

    // The exercise whose level is edited, by window name.
    void pickExercise(const QString& window);
    exercises::Level editedLevel() const;

protected:
    void Form_Load() override;

private:
    void loadLevel(const exercises::Level& level);
    void showInForce();
    void check();
    void save();
    void saveAs();
    // The settings file with the edited section; false when it cannot be read.
    bool rewritten(QString* text) const;
    QString window() const;

    QComboBox* cboExercise = nullptr;
    QComboBox* cboLevel = nullptr;
    QSpinBox* spnMin = nullptr;
    QSpinBox* spnMax = nullptr;
    QSpinBox* spnStep = nullptr;
    QCheckBox* chkUpright = nullptr;
    QSpinBox* spnQuestions = nullptr;
    QWidget* m_stepsRow = nullptr;
    QList<QCheckBox*> m_steps;
    QWidget* m_differenceRow = nullptr;
    QSpinBox* spnMinDifference = nullptr;
    QWidget* m_distanceRow = nullptr;
    QSpinBox* spnMinDistance = nullptr;
    QWidget* m_toleranceRow = nullptr;
    QSpinBox* spnTolerance = nullptr;
    QLabel* m_inForce = nullptr;
    QLabel* m_fileProblem = nullptr;
    QLabel* m_verdict = nullptr;
    QLabel* m_saved = nullptr;
    QPushButton* cmdSave = nullptr;
    QPushButton* cmdSaveAs = nullptr;
    QPushButton* cmdClose = nullptr;
    QHash<QString, QString> m_captions;
    bool m_loading = false;
};

} // namespace teacherview
