#include "ServerTestSupport.h"

#include "app/TeacherAccess.h"
#include "language/LanguageSupport.h"
#include "platform/services/Settings.h"
#include "results/ResultsStore.h"
#include "server/ServerReader.h"
#include "support/AppFixture.h"
#include "teacherview/AnswerListModel.h"
#include "teacherview/SummaryModel.h"
#include "teacherview/frmInsegnante.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

// The teacher's view on the school server: the teacher logs in with the
// role of their own and sees every class that the classroom computers sent.
namespace {

using namespace std::chrono_literals;
using teacherview::frmInsegnante;

class SchoolView : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        installShippedLanguages();
        language::CurrentLanguageFile = QStringLiteral("English");
    }

    // The school settings name the server, as the set-up of a school does.
    void nameTheServer(TempPostgres& pg, const QString& school)
    {
        const QString conf = platform::schoolSettingsPath();
        ASSERT_TRUE(QDir().mkpath(QFileInfo(conf).path()));
        QFile pw(QFileInfo(conf).dir().filePath(QStringLiteral("pw")));
        ASSERT_TRUE(pw.open(QIODevice::WriteOnly));
        pw.write("classroom\n");
        pw.close();
        QFile f(conf);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QStringLiteral("[Results]\nServer=postgresql://gonioma_classroom@127.0.0.1:%1/%2?sslmode=require\n"
                               "PasswordFile=%3\n")
                    .arg(pg.port())
                    .arg(school, pw.fileName())
                    .toUtf8());
    }

    // A classroom computer of `className` sends its pupils' answers.
    static void sendFrom(TempPostgres& pg, const QString& school, const QString& computer, const QString& className,
                         const QStringList& pupils)
    {
        LocalResults local;
        for (int i = 0; i < 12; ++i)
            local.record(madeUpAnswer(i, pupils[i % pupils.size()]));
        server::SenderOptions options = quickOptions();
        options.computer = computer;
        options.className = className;
        server::ServerSender sender(pg.address(school), QStringLiteral("classroom"), local.opener(), options);
        sender.start();
        ASSERT_TRUE(sender.waitUntilSent(20s));
        sender.stop();
    }

    static QStringList tablePupils(const frmInsegnante& view)
    {
        QStringList names;
        for (int r = 0; r < view.summary()->rowCount(); ++r)
            names.append(view.summary()->pupil(r));
        names.sort();
        return names;
    }

    static void logIn(frmInsegnante& view, const QString& teacher, const QString& password)
    {
        view.txtTeacher->setText(teacher);
        view.txtPassword->setText(password);
        view.cmdLogin->click();
        settle();
    }
};

} // namespace

TEST_F(SchoolView, TeacherLogsInAndSeesEveryClassThenOne)
{
    REQUIRE_POSTGRES();
    TempPostgres& pg = TempPostgres::shared();
    const QString school = pg.newSchool(QStringLiteral("classroom"));
    ASSERT_TRUE(pg.psql(school, QStringLiteral("DROP ROLE IF EXISTS rita; CREATE ROLE rita LOGIN PASSWORD 'Rita''s pw' IN ROLE gonioma_teacher")));
    sendFrom(pg, school, QStringLiteral("lab-1"), QStringLiteral("4B"), {QStringLiteral("Ada"), QStringLiteral("Zeno")});
    sendFrom(pg, school, QStringLiteral("lab-2"), QStringLiteral("5A"), {QStringLiteral("Carla")});
    ASSERT_TRUE(pg.psql(school, QStringLiteral("SELECT gonioma.report_unsent('lab-2', 'pupil', '5A', 7)")));
    nameTheServer(pg, school);

    // Opened as the menu opens it: on this computer's results, which hold no one.
    frmInsegnante::setSource(app::localTeacherViewSource(results::ResultsStore::defaultPath()));
    frmInsegnante* view = platform::Form::show<frmInsegnante>();
    settle();
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(view->fraSchool->isVisible());
    EXPECT_FALSE(view->cboSchoolClass->isEnabled());
    EXPECT_EQ(view->summary()->rowCount(), 0);

    // Refused, then nothing typed: the notice says why, the view stays as it was.
    logIn(*view, QStringLiteral("rita"), QStringLiteral("guess"));
    EXPECT_FALSE(view->onSchoolServer());
    EXPECT_TRUE(view->notice()->isVisible());
    EXPECT_TRUE(view->notice()->text().contains(QLatin1String("refused the log-in")))
        << view->notice()->text().toStdString();
    EXPECT_TRUE(view->txtPassword->text().isEmpty()) << "the password stays in the field";
    view->txtPassword->undo();
    EXPECT_TRUE(view->txtPassword->text().isEmpty()) << "the password can be undone back";
    EXPECT_TRUE(view->cmdLogin->isEnabled());
    EXPECT_EQ(view->summary()->rowCount(), 0);
    logIn(*view, QStringLiteral("rita"), QString());
    EXPECT_FALSE(view->onSchoolServer());
    EXPECT_TRUE(view->notice()->text().contains(QLatin1String("Type your name and password")))
        << view->notice()->text().toStdString();

    // Let in: the whole school, read-only class lists, the computer that waits.
    logIn(*view, QStringLiteral("rita"), QStringLiteral("Rita's pw"));
    ASSERT_TRUE(view->onSchoolServer()) << view->notice()->text().toStdString();
    EXPECT_TRUE(view->txtPassword->text().isEmpty());
    EXPECT_EQ(tablePupils(*view), (QStringList{QStringLiteral("Ada"), QStringLiteral("Carla"), QStringLiteral("Zeno")}));
    EXPECT_TRUE(view->notice()->text().contains(QLatin1String("as rita"))) << view->notice()->text().toStdString();
    for (QPushButton* b : {view->cmdAdd, view->cmdRename, view->cmdRemove, view->cmdForget, view->cmdImport})
        EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();
    EXPECT_TRUE(view->cmdExportCsv->isEnabled());
    ASSERT_EQ(view->cboSchoolClass->count(), 3);
    EXPECT_EQ(view->cboSchoolClass->itemText(0), QStringLiteral("All classes"));
    EXPECT_TRUE(view->lblBacklog->text().startsWith(QLatin1String("lab-2 (pupil): 7 ")))
        << view->lblBacklog->text().toStdString();

    // Picking a pupil reads their answers from the server.
    const int ada = view->summary()->rowOf(QStringLiteral("Ada"));
    ASSERT_GE(ada, 0);
    view->pickCell(ada, 0);
    EXPECT_EQ(view->answers()->answerCount(), 6);

    // The exports read the server too.
    const QString csv = appDir() + QStringLiteral("/school.csv");
    ASSERT_TRUE(view->writeCsv(csv));
    QFile written(csv);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QByteArray text = written.readAll();
    EXPECT_EQ(text.count('\n'), 1 + 24) << text.toStdString();
    EXPECT_TRUE(view->writePupilPdf(appDir() + QStringLiteral("/ada.pdf")));

    if (const QString shot = qEnvironmentVariable("GONIOMA_SCHOOL_VIEW_SHOT"); !shot.isEmpty()) {
        view->resize(1024, 768);
        settle();
        view->grab().save(shot);
    }

    // One class: its pupils only, and only its computers' backlog.
    view->cboSchoolClass->setCurrentIndex(view->cboSchoolClass->findText(QStringLiteral("4B")));
    settle();
    EXPECT_EQ(tablePupils(*view), (QStringList{QStringLiteral("Ada"), QStringLiteral("Zeno")}));
    EXPECT_EQ(view->pickedPupil(), QStringLiteral("Ada")) << "the pick survives when the pupil is in the class";
    EXPECT_EQ(view->lblBacklog->text(), QStringLiteral("Every computer has sent its answers."));
    view->pickClass(QStringLiteral("5A"));
    EXPECT_EQ(tablePupils(*view), (QStringList{QStringLiteral("Carla")}));
    EXPECT_EQ(view->cboSchoolClass->currentText(), QStringLiteral("5A"));
    view->pickClass(QString());
    EXPECT_EQ(view->summary()->rowCount(), 3);

    // A refused second log-in leaves the school shown as it was.
    logIn(*view, QStringLiteral("rita"), QStringLiteral("guess"));
    EXPECT_TRUE(view->onSchoolServer());
    EXPECT_TRUE(view->notice()->text().contains(QLatin1String("refused the log-in")));
    EXPECT_EQ(view->summary()->rowCount(), 3);
}

TEST_F(SchoolView, WithoutAServerTheViewHasNoLogIn)
{
    frmInsegnante::setSource(app::localTeacherViewSource(results::ResultsStore::defaultPath()));
    frmInsegnante* view = platform::Form::show<frmInsegnante>();
    settle();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->fraSchool, nullptr);
    EXPECT_EQ(view->findChild<QLineEdit*>(QStringLiteral("txtPassword")), nullptr);
    EXPECT_FALSE(view->logInToSchool());
    EXPECT_FALSE(view->onSchoolServer());
}
