#include "app/CommandLine.h"

#include <QCommandLineParser>

#ifndef GONIOMA_VERSION
#error "GONIOMA_VERSION must name the program's version"
#endif

namespace app {

namespace {

const QString kExercise = QStringLiteral("exercise");
const QString kLanguage = QStringLiteral("language");
const QString kNoSplash = QStringLiteral("no-splash");
const QString kWindowed = QStringLiteral("windowed");
const QString kListExercises = QStringLiteral("list-exercises");
const QString kHelp = QStringLiteral("help");
const QString kVersion = QStringLiteral("version");
const QString kForgetPupil = QStringLiteral("forget-pupil");
const QString kExportResults = QStringLiteral("export-results");

// The options the program knows, for parsing and for the help text alike.
void describeOptions(QCommandLineParser& parser)
{
    parser.setApplicationDescription(QStringLiteral("Gonioma: exercises on angles for primary school pupils."));
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    // Help and version are added by hand so that printing them stays ours:
    // the parser's own would print and end the program from inside parse().
    parser.addOption({{QStringLiteral("h"), kHelp}, QStringLiteral("Show this help and end.")});
    parser.addOption({{QStringLiteral("v"), kVersion}, QStringLiteral("Show the program's version and end.")});
    parser.addOption({kListExercises,
                      QStringLiteral("Print the exercises, one a line: the window's name, a tab and the "
                                     "menu button's caption; then end.")});
    parser.addOption({kExercise,
                      QStringLiteral("Open the exercise <name> (a name --list-exercises prints) instead of "
                                     "the menu."),
                      QStringLiteral("name")});
    parser.addOption({kNoSplash, QStringLiteral("Skip the title window.")});
    parser.addOption({kLanguage,
                      QStringLiteral("Use the language file <name>.lng for this run only; LangSetting.ini "
                                     "is left as it is."),
                      QStringLiteral("name")});
    parser.addOption({kWindowed, QStringLiteral("Run in a window instead of on the whole screen.")});
    parser.addOption({kForgetPupil,
                      QStringLiteral("Erase every answer kept under <name>, and the name from the class list; "
                                     "then end."),
                      QStringLiteral("name")});
    parser.addOption({kExportResults,
                      QStringLiteral("Write every answer kept on this account to <file> as CSV (UTF-8, a "
                                     "header row, one row per answer; - for the output); then end."),
                      QStringLiteral("file")});
}

CommandLineError invalidOption(const QString& what)
{
    QStringList names;
    for (const QString& name : {kHelp, kVersion, kListExercises, kExercise, kNoSplash, kLanguage, kWindowed,
                                kForgetPupil, kExportResults})
        names += QStringLiteral("--") + name;
    return {QStringLiteral("gonioma: %1; valid options: %2.").arg(what, names.join(QStringLiteral(", ")))};
}

CommandLineError unknownValue(const QString& what, const QString& value, const QStringList& valid)
{
    return {QStringLiteral("gonioma: unknown %1 \"%2\"; valid %1s: %3.")
                .arg(what, value, valid.join(QStringLiteral(", ")))};
}

// The parser's messages end with a full stop; the line goes on after them.
QString withoutFinalStop(QString text)
{
    if (text.endsWith(u'.'))
        text.chop(1);
    return text;
}

} // namespace

std::variant<CommandLineOptions, CommandLineError> parseCommandLine(const QStringList& arguments,
                                                                    const QStringList& exercises,
                                                                    const QStringList& languages)
{
    QCommandLineParser parser;
    describeOptions(parser);
    if (!parser.parse(arguments))
        return invalidOption(withoutFinalStop(parser.errorText()));
    if (!parser.positionalArguments().isEmpty())
        return invalidOption(QStringLiteral("Unexpected argument '%1'").arg(parser.positionalArguments().constFirst()));

    CommandLineOptions options;
    if (parser.isSet(kHelp))
        options.action = CommandLineOptions::Action::ShowHelp;
    else if (parser.isSet(kVersion))
        options.action = CommandLineOptions::Action::ShowVersion;
    else if (parser.isSet(kListExercises))
        options.action = CommandLineOptions::Action::ListExercises;
    else if (parser.isSet(kForgetPupil) && parser.isSet(kExportResults))
        return invalidOption(QStringLiteral("--forget-pupil and --export-results are asked one at a time"));
    else if (parser.isSet(kForgetPupil))
        options.action = CommandLineOptions::Action::ForgetPupil;
    else if (parser.isSet(kExportResults))
        options.action = CommandLineOptions::Action::ExportResults;
    options.forgetPupil = parser.value(kForgetPupil);
    if (parser.isSet(kForgetPupil) && options.forgetPupil.trimmed().isEmpty())
        return invalidOption(QStringLiteral("--forget-pupil needs a name"));
    options.exportPath = parser.value(kExportResults);
    if (parser.isSet(kExportResults) && options.exportPath.isEmpty())
        return invalidOption(QStringLiteral("--export-results needs a file"));

    options.exercise = parser.value(kExercise);
    if (parser.isSet(kExercise) && !exercises.contains(options.exercise))
        return unknownValue(QStringLiteral("exercise"), options.exercise, exercises);
    options.language = parser.value(kLanguage);
    if (parser.isSet(kLanguage) && !languages.contains(options.language))
        return unknownValue(QStringLiteral("language"), options.language, languages);
    options.noSplash = parser.isSet(kNoSplash);
    options.windowed = parser.isSet(kWindowed);
    return options;
}

QString commandLineHelp()
{
    QCommandLineParser parser;
    describeOptions(parser);
    // The usage line names the program as it is installed, whatever its path.
    QString help = parser.helpText();
    const qsizetype usageEnd = help.indexOf(u'\n');
    return QStringLiteral("Usage: gonioma [options]") + help.mid(usageEnd);
}

QString commandLineVersion()
{
    return QStringLiteral("Gonioma " GONIOMA_VERSION "\n");
}

} // namespace app
