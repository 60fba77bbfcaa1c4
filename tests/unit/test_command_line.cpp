#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include <variant>

namespace {

using app::CommandLineError;
using app::CommandLineOptions;
using Action = CommandLineOptions::Action;

const QStringList kExercises{QStringLiteral("frmRuota"), QStringLiteral("frmRuota4")};
const QStringList kLanguages{QStringLiteral("English"), QStringLiteral("Italiano")};

std::variant<CommandLineOptions, CommandLineError> parse(QStringList arguments)
{
    arguments.prepend(QStringLiteral("/usr/games/gonioma"));
    return app::parseCommandLine(arguments, kExercises, kLanguages);
}

struct Accepted {
    QStringList arguments;
    Action action;
    QString exercise;
    bool noSplash;
    QString language;
    bool windowed;
};

TEST(CommandLine, ReadsWhatTheRunAsksFor)
{
    const QList<Accepted> table{
        {{}, Action::Run, {}, false, {}, false},
        {{"--help"}, Action::ShowHelp, {}, false, {}, false},
        {{"-h"}, Action::ShowHelp, {}, false, {}, false},
        {{"--version"}, Action::ShowVersion, {}, false, {}, false},
        {{"--list-exercises"}, Action::ListExercises, {}, false, {}, false},
        {{"--list-exercises", "--language", "English"}, Action::ListExercises, {}, false, "English", false},
        {{"--exercise", "frmRuota4"}, Action::Run, "frmRuota4", false, {}, false},
        {{"--exercise=frmRuota4", "--no-splash"}, Action::Run, "frmRuota4", true, {}, false},
        {{"--no-splash"}, Action::Run, {}, true, {}, false},
        {{"--language", "Italiano", "--windowed"}, Action::Run, {}, false, "Italiano", true},
        // Help wins over the rest, as the pupil's teacher asked for it.
        {{"--exercise", "frmRuota", "--help"}, Action::ShowHelp, "frmRuota", false, {}, false},
    };
    for (const Accepted& row : table) {
        SCOPED_TRACE(row.arguments.join(u' ').toStdString());
        const auto parsed = parse(row.arguments);
        ASSERT_TRUE(std::holds_alternative<CommandLineOptions>(parsed))
            << std::get<CommandLineError>(parsed).message.toStdString();
        const CommandLineOptions& options = std::get<CommandLineOptions>(parsed);
        EXPECT_EQ(options.action, row.action);
        EXPECT_EQ(options.exercise, row.exercise);
        EXPECT_EQ(options.noSplash, row.noSplash);
        EXPECT_EQ(options.language, row.language);
        EXPECT_EQ(options.windowed, row.windowed);
    }
}

struct Refused {
    QStringList arguments;
    // What the one line must name: the fault, then the valid values.
    QStringList mentions;
};

TEST(CommandLine, RefusesWhatItCannotFollowInOneLineWithTheValidValues)
{
    const QList<Refused> table{
        {{"--levels"}, {"levels", "--exercise", "--windowed", "--list-exercises"}},
        {{"-x"}, {"'x'", "--help"}},
        {{"--exercise"}, {"--exercise", "--no-splash"}},
        {{"--exercise", "frmRuota9"}, {"exercise \"frmRuota9\"", "frmRuota, frmRuota4"}},
        {{"--exercise", "FormMenu"}, {"\"FormMenu\"", "frmRuota, frmRuota4"}},
        {{"--exercise", "frmruota4"}, {"\"frmruota4\"", "frmRuota4"}},
        {{"--language", "Klingon"}, {"language \"Klingon\"", "English, Italiano"}},
        {{"--language", "English.lng"}, {"\"English.lng\"", "English, Italiano"}},
        {{"--language", "../English"}, {"\"../English\""}},
        {{"--list-exercises", "--language", "Klingon"}, {"Klingon"}},
        {{"frmRuota4"}, {"'frmRuota4'", "--exercise"}},
    };
    for (const Refused& row : table) {
        SCOPED_TRACE(row.arguments.join(u' ').toStdString());
        const auto parsed = parse(row.arguments);
        ASSERT_TRUE(std::holds_alternative<CommandLineError>(parsed));
        const QString message = std::get<CommandLineError>(parsed).message;
        EXPECT_TRUE(message.startsWith(QStringLiteral("gonioma: "))) << message.toStdString();
        EXPECT_FALSE(message.contains(u'\n')) << message.toStdString();
        for (const QString& mention : row.mentions)
            EXPECT_TRUE(message.contains(mention)) << message.toStdString() << " lacks " << mention.toStdString();
    }
}

struct ClassroomChoice {
    QStringList arguments;
    std::optional<bool> classroomDisplay; // nothing: the remembered choice holds
    bool refused = false;
};

TEST(CommandLine, ClassroomDisplayForThisRunOnly)
{
    const QList<ClassroomChoice> table{
        {{}, std::nullopt},
        {{"--classroom-display"}, true},
        {{"--no-classroom-display"}, false},
        {{"--exercise", "frmRuota", "--classroom-display"}, true},
        {{"--classroom-display", "--no-classroom-display"}, std::nullopt, true},
        {{"--classroom-display=yes"}, std::nullopt, true},
    };
    for (const ClassroomChoice& row : table) {
        SCOPED_TRACE(row.arguments.join(u' ').toStdString());
        const auto parsed = parse(row.arguments);
        ASSERT_EQ(std::holds_alternative<CommandLineError>(parsed), row.refused);
        if (!row.refused) {
            EXPECT_EQ(std::get<CommandLineOptions>(parsed).classroomDisplay, row.classroomDisplay);
        }
    }
    EXPECT_TRUE(app::commandLineHelp().contains(QStringLiteral("--classroom-display")));
    EXPECT_TRUE(app::commandLineHelp().contains(QStringLiteral("--no-classroom-display")));
}

TEST(CommandLine, HelpNamesEveryOptionAndTheProgramAsInstalled)
{
    const QString help = app::commandLineHelp();
    EXPECT_TRUE(help.startsWith(QStringLiteral("Usage: gonioma [options]\n")));
    for (const char* option : {"--help", "--version", "--list-exercises", "--exercise <name>", "--no-splash",
                               "--language <name>", "--windowed"})
        EXPECT_TRUE(help.contains(QLatin1String(option))) << option;
    EXPECT_TRUE(app::commandLineVersion().startsWith(QStringLiteral("Gonioma ")));
}

struct TeacherRun {
    QStringList arguments;
    Action action;
    QString level;
    bool locked;
    QString exercise;
};

TEST(CommandLine, ReadsTheLevelTheLockedModeAndThePasswordHash)
{
    const QList<TeacherRun> table{
        {{}, Action::Run, {}, false, {}},
        {{"--level", "tens"}, Action::Run, "tens", false, {}},
        {{"--level=default", "--exercise", "frmRuota"}, Action::Run, "default", false, "frmRuota"},
        {{"--locked"}, Action::Run, {}, true, {}},
        {{"--locked", "--exercise", "frmRuota4", "--level", "round"}, Action::Run, "round", true, "frmRuota4"},
        {{"--hash-password"}, Action::HashPassword, {}, false, {}},
    };
    for (const TeacherRun& row : table) {
        SCOPED_TRACE(row.arguments.join(u' ').toStdString());
        const auto parsed = parse(row.arguments);
        ASSERT_TRUE(std::holds_alternative<CommandLineOptions>(parsed))
            << std::get<CommandLineError>(parsed).message.toStdString();
        const CommandLineOptions& options = std::get<CommandLineOptions>(parsed);
        EXPECT_EQ(options.action, row.action);
        EXPECT_EQ(options.level, row.level);
        EXPECT_EQ(options.locked, row.locked);
        EXPECT_EQ(options.exercise, row.exercise);
    }

    const QList<Refused> refused{
        {{"--level", "hard"}, {"level \"hard\"", "default, tens, upright, round"}},
        {{"--level"}, {"--level", "--locked", "--hash-password"}},
        {{"--locked=1"}, {"locked"}},
    };
    for (const Refused& row : refused) {
        SCOPED_TRACE(row.arguments.join(u' ').toStdString());
        const auto parsed = parse(row.arguments);
        ASSERT_TRUE(std::holds_alternative<CommandLineError>(parsed));
        const QString message = std::get<CommandLineError>(parsed).message;
        EXPECT_FALSE(message.contains(u'\n')) << message.toStdString();
        for (const QString& mention : row.mentions)
            EXPECT_TRUE(message.contains(mention)) << message.toStdString() << " lacks " << mention.toStdString();
    }

    const QString help = app::commandLineHelp();
    for (const char* option : {"--level <name>", "--locked", "--hash-password"})
        EXPECT_TRUE(help.contains(QLatin1String(option))) << option;
}

} // namespace
