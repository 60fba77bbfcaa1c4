#include "app/CommandLine.h"
#include "app/ResultsCommands.h"
#include "results/ResultsStore.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>
#include <variant>

namespace {

using app::CommandLineError;
using app::CommandLineOptions;
using Action = CommandLineOptions::Action;

std::variant<CommandLineOptions, CommandLineError> parse(QStringList arguments)
{
    arguments.prepend(QStringLiteral("gonioma"));
    return app::parseCommandLine(arguments, {QStringLiteral("frmRuota")}, {QStringLiteral("English")});
}

TEST(ResultsCommandLine, ReadsTheResultsCommandsAndRefusesThemHalfGiven)
{
    struct Row {
        QStringList arguments;
        bool accepted;
        Action action;
        QString pupil;
        QString file;
    };
    const QList<Row> table{
        {{"--forget-pupil", "Zoë O'Brien"}, true, Action::ForgetPupil, "Zoë O'Brien", {}},
        {{"--forget-pupil=x'); DROP TABLE answers;--"}, true, Action::ForgetPupil, "x'); DROP TABLE answers;--", {}},
        {{"--export-results", "/tmp/out.csv"}, true, Action::ExportResults, {}, "/tmp/out.csv"},
        {{"--export-results", "-"}, true, Action::ExportResults, {}, "-"},
        {{"--export-results", "a.csv", "--help"}, true, Action::ShowHelp, {}, "a.csv"},
        {{"--forget-pupil"}, false, {}, {}, {}},
        {{"--forget-pupil", "  "}, false, {}, {}, {}},
        {{"--export-results", ""}, false, {}, {}, {}},
        {{"--forget-pupil", "Anna", "--export-results", "a.csv"}, false, {}, {}, {}},
    };
    for (const Row& row : table) {
        SCOPED_TRACE(row.arguments.join(u' ').toStdString());
        const auto parsed = parse(row.arguments);
        ASSERT_EQ(std::holds_alternative<CommandLineOptions>(parsed), row.accepted);
        if (!row.accepted) {
            const QString message = std::get<CommandLineError>(parsed).message;
            EXPECT_TRUE(message.startsWith(QStringLiteral("gonioma: "))) << message.toStdString();
            EXPECT_FALSE(message.contains(u'\n'));
            continue;
        }
        const CommandLineOptions& options = std::get<CommandLineOptions>(parsed);
        EXPECT_EQ(options.action, row.action);
        EXPECT_EQ(options.forgetPupil, row.pupil);
        EXPECT_EQ(options.exportPath, row.file);
    }
    for (const char* option : {"--forget-pupil <name>", "--export-results <file>"})
        EXPECT_TRUE(app::commandLineHelp().contains(QLatin1String(option))) << option;
}

// The commands run on the account's results in a data folder of the test's own.
class ResultsCommandTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_saved = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_dir.path()));
        m_out = std::tmpfile();
        m_err = std::tmpfile();
    }
    void TearDown() override
    {
        qputenv("XDG_DATA_HOME", m_saved);
        std::fclose(m_out);
        std::fclose(m_err);
    }
    static QString text(FILE* stream)
    {
        std::fflush(stream);
        std::rewind(stream);
        QByteArray bytes;
        char buffer[4096];
        for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, stream)) > 0;)
            bytes.append(buffer, qsizetype(n));
        std::rewind(stream);
        return QString::fromUtf8(bytes);
    }
    void keep(const QString& pupil, int answers)
    {
        results::ResultsStore store(results::ResultsStore::defaultPath());
        for (int i = 0; i < answers; ++i) {
            results::AnswerRecord a;
            a.pupil = pupil;
            a.exercise = QStringLiteral("frmRuota1");
            a.question = QStringLiteral("start=0;size=120");
            a.answer = QStringLiteral("class=obtuse");
            a.right = true;
            ASSERT_TRUE(store.record(a));
        }
    }

    QTemporaryDir m_dir;
    QByteArray m_saved;
    FILE* m_out = nullptr;
    FILE* m_err = nullptr;
};

TEST_F(ResultsCommandTest, ExportWritesEveryAnswerAndForgettingAPupilLeavesTheOthers)
{
    // Nothing kept yet: the header alone, and nothing to forget.
    const QString csv = m_dir.filePath(QStringLiteral("out.csv"));
    EXPECT_EQ(app::exportResultsCommand(csv, m_out, m_err), 0) << text(m_err).toStdString();
    QFile empty(csv);
    ASSERT_TRUE(empty.open(QIODevice::ReadOnly));
    EXPECT_EQ(empty.readAll().count("\r\n"), 1);
    EXPECT_EQ(app::forgetPupilCommand(QStringLiteral("Anna"), m_out, m_err), 1);

    keep(QStringLiteral("Anna"), 3);
    keep(QStringLiteral("Zoë 🦊"), 2);
    EXPECT_EQ(app::exportResultsCommand(QStringLiteral("-"), m_out, m_err), 0) << text(m_err).toStdString();
    const QString exported = text(m_out);
    EXPECT_EQ(exported.count(QStringLiteral("\r\n")), 6);
    EXPECT_EQ(exported.count(QStringLiteral(",Zoë 🦊,")), 2);

    std::freopen(nullptr, "w+", m_out);
    EXPECT_EQ(app::forgetPupilCommand(QStringLiteral("Anna"), m_out, m_err), 0);
    EXPECT_TRUE(text(m_out).contains(QStringLiteral("3"))) << text(m_out).toStdString();
    EXPECT_EQ(app::forgetPupilCommand(QStringLiteral("Anna"), m_out, m_err), 1);
    EXPECT_TRUE(text(m_err).contains(QStringLiteral("Anna")));
    ASSERT_EQ(app::exportResultsCommand(csv, m_out, m_err), 0);
    QFile after(csv);
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    const QByteArray rows = after.readAll();
    EXPECT_EQ(rows.count("\r\n"), 3);
    EXPECT_FALSE(rows.contains(",Anna,"));

    // A file that cannot be written: one line, and no half-written file.
    EXPECT_EQ(app::exportResultsCommand(m_dir.filePath(QStringLiteral("none/out.csv")), m_out, m_err), 1);
    EXPECT_FALSE(QFile::exists(m_dir.filePath(QStringLiteral("none/out.csv"))));
}

} // namespace
