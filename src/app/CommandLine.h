#pragma once

#include <QString>
#include <QStringList>

#include <variant>

namespace app {

// What the command line asks of this run.
struct CommandLineOptions {
    enum class Action { Run, ShowHelp, ShowVersion, ListExercises, ForgetPupil, ExportResults };
    Action action = Action::Run;
    // A window name of the catalogue, opened instead of the menu; empty for
    // the menu.
    QString exercise;
    bool noSplash = false;
    // A language file's name without ".lng", for this run only; empty for the
    // one LangSetting.ini names.
    QString language;
    // A window of a fixed size instead of the whole screen.
    bool windowed = false;
    // `--forget-pupil NAME`: the pupil whose answers and place in the class list are erased.
    QString forgetPupil;
    // `--export-results FILE`: where every kept answer is written as CSV ("-": the output).
    QString exportPath;
};

// A command line the program cannot follow: one line that names what is wrong
// and lists the valid values.
struct CommandLineError {
    QString message;
};

// The exit status of a run that ends on a command-line error.
inline constexpr int kCommandLineErrorStatus = 2;

// Reads the arguments (the program's name first) against the exercises and
// the languages there are. Pure: no window, no file, no application needed.
std::variant<CommandLineOptions, CommandLineError> parseCommandLine(const QStringList& arguments,
                                                                    const QStringList& exercises,
                                                                    const QStringList& languages);

// What `gonioma --help` prints.
QString commandLineHelp();
// What `gonioma --version` prints.
QString commandLineVersion();

} // namespace app
