#include "support/AppFixture.h"

#include "app/FormMenu.h"
#include "app/TeacherAccess.h"
#include "exercise/AngleGeometry.h"
#include "language/IniFile.h"
#include "language/LanguageSupport.h"
#include "platform/widgets/PictureBox.h"
#include "results/ResultsStore.h"
#include "teacher/TeacherPassword.h"
#include "teacherview/AnswerListModel.h"
#include "teacherview/ShareChart.h"
#include "teacherview/frmInsegnante.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTableView>
#include <QTest>

#include <memory>

// The teacher's view over a real results store filled by the test: the table,
// the chart, a pupil's answers and the question drawn again, the class list's
// buttons, the way in from the menu and the exports.

namespace {

using teacherview::frmInsegnante;

QDateTime at(int day, int hour)
{
    return QDateTime(QDate(2026, 3, day), QTime(hour, 0), Qt::UTC);
}

results::AnswerRecord answer(const QString& pupil, const QString& exercise, const QDateTime& when, bool right,
                             int attempt, const QString& question = QStringLiteral("sizes=40"))
{
    results::AnswerRecord a;
    a.id = QUuid::createUuid();
    a.answeredAt = when;
    a.pupil = pupil;
    a.exercise = exercise;
    a.question = question;
    a.answer = right ? QStringLiteral("class=acute") : QStringLiteral("class=obtuse");
    a.right = right;
    a.attempt = attempt;
    a.secondsShown = 2.5;
    a.language = QStringLiteral("English");
    return a;
}

class TeacherView : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        installShippedLanguages();
        language::CurrentLanguageFile = QStringLiteral("English");
        m_path = results::ResultsStore::defaultPath();
        fill();
        frmInsegnante::setPromptsForTesting(teacherview::TeacherPrompts{
            [this](const QString& prompt, const QString&) {
                m_prompts.append(prompt);
                return m_typed.isEmpty() ? std::nullopt : std::optional<QString>(m_typed.takeFirst());
            },
            [this](const QString&, const QString&) { return m_fileToOpen; },
            [this](const QString&, const QString& filter, const QString&) {
                return appDir() + (filter.contains(QStringLiteral("pdf")) ? "/page.pdf" : "/answers.csv");
            }});
    }

    void TearDown() override
    {
        frmInsegnante::setPromptsForTesting(std::nullopt);
        teacher::setPasswordAnswerForTesting({});
        AppFixture::TearDown();
    }

    // Bruno, Anna and Chiara on the list; Zed answered without being on it.
    void fill()
    {
        results::ResultsStore store(m_path);
        for (const char* name : {"Bruno", "Anna", "Chiara"})
            ASSERT_TRUE(store.addPupil(QString::fromUtf8(name)));
        const QString r1 = QStringLiteral("frmRuota1"), r2 = QStringLiteral("frmRuota2");
        const QList<results::AnswerRecord> answers{
            answer("Anna", r1, at(2, 9), true, 1),
            answer("Anna", r1, at(2, 9).addSecs(60), false, 1, QStringLiteral("sizes=35,120;starts=10,200")),
            answer("Anna", r1, at(2, 9).addSecs(90), true, 2, QStringLiteral("sizes=35,120;starts=10,200")),
            answer("Anna", r1, at(3, 10), false, 1, QStringLiteral("target=90")),
            answer("Anna", r2, at(3, 11), true, 1, QStringLiteral("sizes=150;start=45")),
            answer("Bruno", r1, at(2, 8), true, 1),
            answer("Bruno", r1, at(2, 8).addSecs(30), true, 1),
            answer("Zed", QStringLiteral("frmRuota8"), at(4, 12), false, 1),
        };
        for (const results::AnswerRecord& a : answers)
            ASSERT_TRUE(store.record(a)) << store.problem().toStdString();
    }

    frmInsegnante* openView()
    {
        frmInsegnante::setSource(app::localTeacherViewSource(m_path));
        frmInsegnante* view = platform::Form::show<frmInsegnante>();
        settle();
        return view;
    }

    static int column(const teacherview::SummaryModel& model, const QString& exercise)
    {
        for (int c = 0; c < model.columnCount(); ++c) {
            if (model.exercise(c) == exercise)
                return c;
        }
        return -1;
    }

    QString m_path;
    QStringList m_typed;
    QStringList m_prompts;
    QString m_fileToOpen;
};

TEST_F(TeacherView, TableShowsEachPupilsWorkByExercise)
{
    frmInsegnante* view = openView();
    ASSERT_NE(view, nullptr);
    const teacherview::SummaryModel& model = *view->summary();
    ASSERT_EQ(model.rowCount(), 4);
    EXPECT_EQ((QStringList{model.pupil(0), model.pupil(1), model.pupil(2), model.pupil(3)}),
              (QStringList{"Bruno", "Anna", "Chiara", "Zed"}));
    // The menu's exercises come first, in its order; the column header is the menu caption.
    EXPECT_EQ(model.exercise(1), "frmRuota");
    EXPECT_EQ(model.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), "All exercises");

    const struct {
        const char* pupil;
        const char* exercise; // "" for all exercises
        int answers;
        const char* share;
        QDateTime last;
    } cells[] = {
        {"Anna", "frmRuota1", 4, "33%", at(3, 10)},
        {"Anna", "frmRuota2", 1, "100%", at(3, 11)},
        {"Anna", "", 5, "50%", at(3, 11)},
        {"Bruno", "frmRuota1", 2, "100%", at(2, 8).addSecs(30)},
        {"Chiara", "", 0, "", {}},
        {"Zed", "frmRuota8", 1, "0%", at(4, 12)},
    };
    for (const auto& c : cells) {
        SCOPED_TRACE(std::string(c.pupil) + " " + c.exercise);
        const int row = model.rowOf(QString::fromUtf8(c.pupil));
        const int col = column(model, QString::fromUtf8(c.exercise));
        ASSERT_GE(col, 0);
        const QModelIndex index = model.index(row, col);
        EXPECT_EQ(model.cell(row, col).answers, c.answers);
        EXPECT_EQ(model.cell(row, col).lastPractised, c.last);
        view->cboMeasure->setCurrentIndex(0);
        EXPECT_EQ(index.data().toString(), c.share);
        view->cboMeasure->setCurrentIndex(1);
        EXPECT_EQ(index.data().toString(), c.answers ? QString::number(c.answers) : QString());
        view->cboMeasure->setCurrentIndex(2);
        EXPECT_EQ(index.data().toString(), teacherview::shortDate(c.last));
    }
}

TEST_F(TeacherView, ChartFollowsThePupilAndExercisePicked)
{
    frmInsegnante* view = openView();
    ASSERT_NE(view, nullptr);
    const teacherview::SummaryModel& model = *view->summary();
    const double day2 = double(at(2, 0).toMSecsSinceEpoch());
    const double day3 = double(at(3, 0).toMSecsSinceEpoch());
    const double day4 = double(at(4, 0).toMSecsSinceEpoch());

    const struct {
        const char* pupil; // "" for the whole class (a column's header)
        const char* exercise;
        QList<QPointF> points;
    } picks[] = {
        {"Anna", "frmRuota1", {{day2, 200.0 / 3}, {day3, 0}}},
        {"Anna", "", {{day2, 200.0 / 3}, {day3, 50}}},
        {"", "frmRuota1", {{day2, 80}, {day3, 0}}},
        {"", "", {{day2, 80}, {day3, 50}, {day4, 0}}},
        {"Chiara", "", {}},
    };
    for (const auto& p : picks) {
        SCOPED_TRACE(std::string(p.pupil) + " " + p.exercise);
        const int col = column(model, QString::fromUtf8(p.exercise));
        if (*p.pupil)
            view->summaryTable()->setCurrentIndex(model.index(model.rowOf(QString::fromUtf8(p.pupil)), col));
        else
            view->pickExercise(col);
        const QList<QPointF> points = view->chart()->points();
        ASSERT_EQ(points.size(), p.points.size());
        for (qsizetype i = 0; i < points.size(); ++i) {
            EXPECT_DOUBLE_EQ(points[i].x(), p.points[i].x());
            EXPECT_NEAR(points[i].y(), p.points[i].y(), 1e-9);
        }
    }
}

TEST_F(TeacherView, PupilsAnswersNewestFirstWithTheQuestionDrawnAgain)
{
    frmInsegnante* view = openView();
    ASSERT_NE(view, nullptr);
    teacherview::AnswerListModel& answers = *view->answers();
    EXPECT_EQ(answers.answerCount(), 0); // nothing read before a pupil is picked
    view->summaryTable()->setCurrentIndex(view->summary()->index(view->summary()->rowOf("Anna"), 0));
    ASSERT_EQ(answers.answerCount(), 5);
    EXPECT_EQ(answers.answer(0).question, "sizes=150;start=45");
    EXPECT_EQ(answers.answer(4).answeredAt, at(2, 9));
    EXPECT_EQ(answers.index(2, teacherview::AnswerListModel::Verdict).data().toString(), "right");
    EXPECT_EQ(answers.index(2, teacherview::AnswerListModel::Attempt).data().toInt(), 2);

    const struct {
        int row;
        QList<int> starts; // one figure per angle, its first arm
        QList<int> sizes;
    } rows[] = {{0, {45}, {150}}, {1, {0}, {90}}, {2, {10, 200}, {35, 120}}, {4, {0}, {40}}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.row);
        view->answerTable()->setCurrentIndex(answers.index(r.row, 0));
        int shown = 0;
        for (platform::PictureBox* box : view->figures()) {
            if (box->isHidden())
                continue;
            ASSERT_LT(shown, r.starts.size());
            ASSERT_EQ(box->lines().size(), r.sizes[shown] + 3);
            EXPECT_EQ(box->lines().front().to, exercise::rayPoint(exercise::armDirection(r.starts[shown])));
            EXPECT_EQ(box->lines().back().to,
                      exercise::rayPoint(exercise::stepDirection(r.starts[shown] + r.sizes[shown])));
            ++shown;
        }
        EXPECT_EQ(shown, r.starts.size());
        EXPECT_TRUE(view->questionLine()->text().contains(answers.answer(r.row).question));
    }
}

TEST_F(TeacherView, AnswerListHandsRowsToTheViewAPageAtATime)
{
    {
        results::ResultsStore store(m_path);
        for (int i = 0; i < 450; ++i)
            ASSERT_TRUE(store.record(answer("Bruno", "frmRuota2", at(5, 8).addSecs(i), i % 2 == 0, 1)));
    }
    results::ResultsStore store(m_path);
    teacherview::AnswerListModel model;
    ASSERT_TRUE(model.load(store, "Bruno"));
    EXPECT_EQ(model.answerCount(), 452);
    EXPECT_EQ(model.rowCount(), teacherview::AnswerListModel::kPage);
    while (model.canFetchMore({}))
        model.fetchMore({});
    EXPECT_EQ(model.rowCount(), 452);
    EXPECT_EQ(model.answer(0).answeredAt, at(5, 8).addSecs(449));
    EXPECT_EQ(model.answer(451).answeredAt, at(2, 8));
}

TEST_F(TeacherView, ClassListButtonsChangeTheStore)
{
    frmInsegnante* view = openView();
    ASSERT_NE(view, nullptr);
    auto pick = [&](const char* pupil) {
        const int row = view->summary()->rowOf(QString::fromUtf8(pupil));
        ASSERT_GE(row, 0) << pupil;
        view->summaryTable()->setCurrentIndex(view->summary()->index(row, 0));
    };
    auto storeState = [&] {
        results::ResultsStore store(m_path);
        return std::make_pair(store.pupils(), store.answerCount());
    };

    m_typed = {QStringLiteral("  Éloïse O'Brien \"Ø\" ")};
    view->cmdAdd->click();
    EXPECT_EQ(storeState().first, (QStringList{"Bruno", "Anna", "Chiara", "Éloïse O'Brien \"Ø\""}));
    EXPECT_EQ(view->pickedPupil(), "Éloïse O'Brien \"Ø\"");

    m_typed = {QStringLiteral("Anna")};
    view->cmdAdd->click(); // already there: refused, said in the notice line
    EXPECT_EQ(storeState().first.size(), 4);
    EXPECT_TRUE(view->notice()->isVisible());
    EXPECT_TRUE(view->notice()->text().contains("Anna")) << view->notice()->text().toStdString();

    pick("Anna");
    m_typed = {QStringLiteral("Annalisa")};
    view->cmdRename->click();
    EXPECT_EQ(storeState().first, (QStringList{"Bruno", "Annalisa", "Chiara", "Éloïse O'Brien \"Ø\""}));
    EXPECT_EQ(view->summary()->cell(view->summary()->rowOf("Annalisa"), 0).answers, 5);

    pick("Bruno");
    answerNextBoxes({platform::MessageAnswer::Yes});
    view->cmdRemove->click(); // off the list, the answers kept: still in the table, after the list
    EXPECT_EQ(storeState().first, (QStringList{"Annalisa", "Chiara", "Éloïse O'Brien \"Ø\""}));
    EXPECT_EQ(storeState().second, 8);
    EXPECT_EQ(view->summary()->pupil(view->summary()->rowCount() - 2), "Bruno");

    pick("Annalisa");
    answerNextBoxes({platform::MessageAnswer::No});
    view->cmdForget->click();
    EXPECT_EQ(storeState().second, 8);
    answerNextBoxes({platform::MessageAnswer::Yes});
    view->cmdForget->click();
    ASSERT_FALSE(asked().isEmpty());
    EXPECT_TRUE(asked().last().prompt.contains("Annalisa"));
    EXPECT_EQ(storeState().second, 3);
    EXPECT_EQ(view->summary()->rowOf("Annalisa"), -1);

    // A list with a blank line and names given twice or already there.
    m_fileToOpen = appDir() + "/class.txt";
    writeFile("class.txt", "Dario\n\nChiara\nDario\nEmma\n");
    view->cmdImport->click();
    EXPECT_EQ(storeState().first,
              (QStringList{"Chiara", "Éloïse O'Brien \"Ø\"", "Dario", "Emma"}));
    EXPECT_EQ(view->summary()->rowOf("Emma"), 3);
    EXPECT_FALSE(view->notice()->text().isEmpty());
}

TEST_F(TeacherView, MenuOpensTheViewOnlyWithThePassword)
{
    QString typed;
    int asks = 0;
    teacher::setPasswordAnswerForTesting([&](const QString&) {
        ++asks;
        return std::optional<QString>(typed);
    });
    ASSERT_TRUE(teacher::choosePassword(QStringLiteral("maestra")));
    app::FormMenu* menu = platform::Form::show<app::FormMenu>();
    settle();
    ASSERT_NE(menu, nullptr);
    ASSERT_NE(menu->cmdTeacher, nullptr);
    EXPECT_EQ(menu->cmdTeacher->text(), language::ReadIniString(language::languageFilePath(), "FormMenu",
                                                                 "cmdTeacher.Caption"));

    const struct {
        const char* password;
        bool byChord;
        bool opens;
    } tries[] = {{"wrong", false, false}, {"maestra", false, true}, {"wrong", true, false}, {"maestra", true, true}};
    for (const auto& t : tries) {
        SCOPED_TRACE(std::string(t.password) + (t.byChord ? " chord" : " button"));
        typed = QString::fromUtf8(t.password);
        const int asked = asks;
        if (t.byChord) {
            QApplication::setActiveWindow(menu); // as the desktop gives it back when the view closes
            QTest::keyClick(menu, Qt::Key_T, Qt::ControlModifier | Qt::ShiftModifier);
        } else
            menu->cmdTeacher->trigger();
        settle();
        EXPECT_EQ(asks, asked + 1);
        frmInsegnante* view = platform::Form::instance<frmInsegnante>();
        EXPECT_EQ(view != nullptr, t.opens);
        if (view) {
            EXPECT_EQ(view->summary()->rowCount(), 4); // the account's own results
            view->cmdClose->click();
            settle();
        }
    }
}

// A database written by a newer program is shown, never changed: the line at
// the top says so and the class list cannot be edited.
TEST_F(TeacherView, NewerDatabaseIsShownReadOnlyWithANotice)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("newer"));
        db.setDatabaseName(m_path);
        ASSERT_TRUE(db.open());
        QSqlQuery(db).exec(QStringLiteral("PRAGMA user_version = 99"));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("newer"));
    frmInsegnante* view = openView();
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->notice()->isVisible());
    EXPECT_FALSE(view->notice()->text().isEmpty());
    EXPECT_FALSE(view->cmdAdd->isEnabled());
    EXPECT_FALSE(view->cmdForget->isEnabled());
    EXPECT_EQ(view->summary()->rowCount(), 4); // still read
}

TEST_F(TeacherView, ExportsWriteTheCsvAndThePupilsPage)
{
    frmInsegnante* view = openView();
    ASSERT_NE(view, nullptr);
    view->cmdPupilPdf->click(); // no pupil picked: nothing written, the line says so
    EXPECT_FALSE(QFile::exists(appDir() + "/page.pdf"));
    EXPECT_TRUE(view->notice()->isVisible());

    view->cmdExportCsv->click();
    QFile csv(appDir() + "/answers.csv");
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = csv.readAll().split('\n');
    EXPECT_EQ(lines.size(), 1 + 8 + 1); // header, 8 answers, nothing after the last CRLF
    EXPECT_TRUE(lines[1].contains("Anna") || lines[1].contains("Bruno"));

    view->summaryTable()->setCurrentIndex(view->summary()->index(view->summary()->rowOf("Anna"), 0));
    view->cmdPupilPdf->click();
    QFile pdf(appDir() + "/page.pdf");
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_GT(bytes.size(), 2000);
    EXPECT_TRUE(view->notice()->text().contains("page.pdf"));
}

} // namespace
