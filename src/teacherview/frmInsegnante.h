#pragma once

#include "platform/widgets/Form.h"
#include "results/AnswerRecord.h"
#include "teacherview/ClassListEditor.h"
#include "teacherview/SummaryModel.h"

#include <QList>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QModelIndex;
class QPushButton;
class QTableView;
class QVBoxLayout;

namespace platform {
class PictureBox;
}

namespace server {
class ServerReader;
}

namespace teacherview {

class AnswerListModel;
class ShareChart;

// Where the teacher's view takes its results from.
struct TeacherViewSource {
    std::shared_ptr<const results::ResultsReader> reader;
    // Null when the class list cannot be changed from here.
    std::shared_ptr<ClassListEditor> classList;
    // Writes every answer to a CSV file; false when it could not.
    std::function<bool(const QString& path)> exportCsv;
    // The exercises in the menu's order, with their captions.
    QList<ExerciseColumn> exercises;
    // Why the answers being given now are not kept, when they are not (empty when they are).
    std::function<QString()> recordingProblem;
};

// The questions the view asks the teacher: a line of text, a file to read, a
// file to write. Tests answer them instead of the dialogs.
struct TeacherPrompts {
    std::function<std::optional<QString>(const QString& prompt, const QString& initial)> askText;
    std::function<QString(const QString& title, const QString& filter)> openFile;
    std::function<QString(const QString& title, const QString& filter, const QString& suggested)> saveFile;
};

// The teacher's view: the class's results in a table of pupils by exercises,
// a chart of the share right per day for the pupil or exercise picked, the
// picked pupil's answers with the question drawn again, the class list and
// the exports.
class frmInsegnante : public platform::Form {
    Q_OBJECT
public:
    frmInsegnante();
    ~frmInsegnante() override;

    // The results the window open now shows (reloaded), or else the next one.
    static void setSource(TeacherViewSource source);
    static void setPromptsForTesting(std::optional<TeacherPrompts> prompts);

    SummaryModel* summary() const { return m_summary; }
    AnswerListModel* answers() const { return m_answers; }
    ShareChart* chart() const { return m_chart; }
    QTableView* summaryTable() const { return m_table; }
    QTableView* answerTable() const { return m_answerTable; }
    QLabel* notice() const { return m_notice; }
    QLabel* questionLine() const { return m_questionLine; }
    // The boxes the picked answer's question is drawn in; hidden ones are unused.
    const QList<platform::PictureBox*>& figures() const { return m_figures; }

    // Reads the results again.
    void reload();
    // Picks a cell of the table (column 0: all exercises); the chart and the
    // answer list follow.
    void pickCell(int row, int column);
    // Picks an exercise for the whole class.
    void pickExercise(int column);
    // Picks a row of the answer list: its question is drawn.
    void pickAnswer(int row);
    const QString& pickedPupil() const { return m_pupil; }

    // The buttons' work, each asking what it needs through the prompts.
    void addPupil();
    void renamePupil();
    void removePupil();
    void forgetPupil();
    void importPupils();
    void exportCsv();
    void exportPupilPage();
    // Opens the editor of the exercises' levels.
    void openLevels();

    // When the school settings name a server: logs in with the name and
    // password typed in the view (the password field is emptied at once) and
    // shows the whole school from there; a refusal is said in the notice and
    // the view stays as it was.
    bool logInToSchool();
    // On the school server: the class shown (empty: every class).
    void pickClass(const QString& className);
    bool onSchoolServer() const { return m_school != nullptr; }

    // The exports without the questions.
    bool writeCsv(const QString& path);
    bool writePupilPdf(const QString& path);

    QComboBox* cboMeasure = nullptr;
    QPushButton* cmdAdd = nullptr;
    QPushButton* cmdRename = nullptr;
    QPushButton* cmdRemove = nullptr;
    QPushButton* cmdForget = nullptr;
    QPushButton* cmdImport = nullptr;
    QPushButton* cmdExportCsv = nullptr;
    QPushButton* cmdPupilPdf = nullptr;
    QPushButton* cmdClose = nullptr;
    // The school server's log-in and class picker (null without one).
    QGroupBox* fraSchool = nullptr;
    QLineEdit* txtTeacher = nullptr;
    QLineEdit* txtPassword = nullptr;
    QPushButton* cmdLogin = nullptr;
    QComboBox* cboSchoolClass = nullptr;
    QLabel* lblBacklog = nullptr;

protected:
    void Form_Load() override;
    // The results are read once the window is on the screen.
    void Form_Activate() override;

private:
    void fillMeasures();
    void fitHeaderHeight();
    void showNotice(const QString& line);
    void showProblem();
    void afterEdit(const EditOutcome& outcome);
    bool confirm(const QString& prompt);
    std::optional<QString> askText(const QString& prompt, const QString& initial);
    QString openFile(const QString& title, const QString& filter);
    QString saveFile(const QString& title, const QString& filter, const QString& suggested);
    void showChart(const QString& pupil, const QString& exercise);
    void buildSchoolRow(QVBoxLayout* root);
    void fillSchoolClasses();
    void showBacklogs();

    TeacherViewSource m_source;
    // The school server's reader while the view shows it (also m_source.reader).
    std::shared_ptr<server::ServerReader> m_school;
    QLabel* lblTeacher = nullptr;
    QLabel* lblPassword = nullptr;
    QLabel* lblSchoolClass = nullptr;
    SummaryModel* m_summary = nullptr;
    AnswerListModel* m_answers = nullptr;
    ShareChart* m_chart = nullptr;
    QTableView* m_table = nullptr;
    QTableView* m_answerTable = nullptr;
    QLabel* m_notice = nullptr;
    QLabel* m_questionLine = nullptr;
    QLabel* lblMeasure = nullptr;
    QGroupBox* fraChart = nullptr;
    QGroupBox* fraAnswers = nullptr;
    QList<platform::PictureBox*> m_figures;
    QString m_pupil;
    QString m_exercise;
    QString m_lastLine;
};

} // namespace teacherview
