#pragma once

#include <QString>

#include <array>

// The messages of the language files' [Strings] section, by name. The files
// keep the four-digit numbers; the program's code says which message it means.
namespace language {

enum class Message {
    LeaveExercisePrompt,  // "esci": leave the exercise and go back to the menu?
    TurnTooFarForward,    // building: a turn past 360 degrees is refused
    TurnTooFarBack,       // building: a turn below 0 degrees is refused
    BuiltAngleTip,        // building: the words before the built measure
    BuildAskedFor,        // building: the request once the angle is confirmed
    BuildLeftButtonHint,  // building: what the left mouse button does
    BuildRightButtonHint, // building: what any other mouse button does
    BuildRequest,         // building: the request while the angle is built
    SupplementaryBefore,  // supplementary: the words before the given size
    SupplementaryAfter,   // supplementary: the words right after it
    SupplementaryQuestion,// supplementary: the question's second line
    IsConvex,             // after a right answer: "° is a convex angle!"
    IsConcave,
    ComplementaryBefore,
    ComplementaryAfter,
    ComplementaryQuestion,
    AlreadyRunning,       // a second copy of the program is refused
    AlreadyRunningTitle,
    QuitPrompt,           // the menu's "Esci": end the program?
    CorrectCaption,       // "Esatti"
    WrongCaption,         // "Errati"
    IsRight,
    IsObtuse,
    IsStraight,
    IsAcute,
    MeasureCaption,       // classification: the words before the measure
    YesButton,            // message boxes' button captions (optional)
    NoButton,
    OkButton,
    MessageBoxTitle,      // the title of the program's message boxes (optional)
    EstimateQuestion,     // estimating: the question beside the angle
    EstimateComparison,   // estimating: "%1" the pupil's estimate, "%2" the angle's size, both "35°"
    ProtractorQuestion,   // protractor: measure the red angle and type its size
    ProtractorMeasured,   // protractor: after a right answer, the words after the size
    ProtractorName,       // protractor: what a screen reader calls it
    ProtractorHint,       // protractor: its tooltip, how to move and turn it
    ProtractorPlace,      // protractor: "turned %1°, %2", %2 being where its centre is
    ProtractorOnVertex,   // protractor: its centre lies on the vertex
    ProtractorOfVertex,   // protractor: "%1 of the vertex", %1 the distances below
    ProtractorRight,      // protractor: "%1 px right"
    ProtractorLeft,
    ProtractorUp,
    ProtractorDown,
    TeacherPasswordPrompt,  // the teacher's password is asked for
    TeacherPasswordChoose,  // first use: the teacher chooses a password
    TeacherPasswordRepeat,  // first use: the same password again
    TeacherPasswordMismatch,// first use: the two differ, or it is empty
    TeacherPasswordNotKept, // first use: this account's settings cannot be written
    TeacherPasswordWrong,
    TeacherPasswordWait,    // "%1" the seconds before the next try
    RoundTitle,           // a round's summary: "%1" the number of questions
    RoundFirstTry,        // "%1" the questions right at the first try
    RoundMoreTries,       // "%1" the questions right after more tries
    RoundFiguresCaption,  // heads the figures of the questions that needed more tries
    RoundAllFirstTry,     // in its place when every question was right at once
    RoundWrongTries,      // under such a figure: "%1" its wrong tries
    RoundAgain,           // the button that starts a new round
    RoundMenu,            // the button that goes back to the menu
    LockedNoPassword,     // locked mode without any teacher password: nobody may close
    BuildLongPressHint,   // building, classroom display: the right button or a long press closes
    ResultsFolderNotWritable, // results: "%1" the data folder cannot be written
    ResultsDiskFull,
    ResultsLocked, // "%1" the database another program holds
    ResultsDamaged, // "%1" where the damaged file was put aside
    ResultsNewerVersion,
    ResultsFailed, // "%1" the database's own words
    PupilNameEmpty, // class list: a name is refused
    PupilNameTooLong, // "%1" the longest name kept
    PupilNameTaken,
    PupilNameUnknown,
    PupilImportDone, // "%1" added, "%2" blank, "%3" repeated, "%4" too long
    PupilImportUnreadable,
    PupilPageOf, // "%1" this page, "%2" how many
    PupilChangeName, // the menu's way back to the names
    // The school server: what the teacher is told about answers on their way.
    ServerUnsentCount,     // answers of this computer not yet on the server (%1)
    ServerUnreachable,     // why the server cannot be reached (%1)
    ServerSettingsWrong,   // the [Results] settings cannot be used (%1)
    ServerTeacherRefused,  // the teacher's log-in refused (%1)
    ServerComputerBacklog, // a computer (%1), its account (%2), answers waiting (%3), when last heard (%4)
    ServerReadingFailed,   // the teacher logged in, but a reading failed: "%1" why
    TeacherAllExercises, // teacher's view: the table's first column, all exercises together
    TeacherAllPupils,
    TeacherNoAnswers,
    TeacherCellToolTip, // %1 answers, %2 questions, %3 share right at the first try, %4 last day
    TeacherMeasureShare,
    TeacherMeasureAnswers,
    TeacherMeasureLast,
    TeacherColumnWhen,
    TeacherColumnExercise,
    TeacherColumnQuestion,
    TeacherColumnAnswer,
    TeacherColumnVerdict,
    TeacherColumnAttempt,
    TeacherColumnSeconds,
    TeacherColumnQuestions,
    TeacherAnswerRight,
    TeacherAnswerWrong,
    TeacherChartTitle, // %1 the pupil (or the class), %2 the exercise
    TeacherAnswerLine, // %1 exercise, %2 question, %3 answer, %4 right/wrong
    TeacherPickPupilFirst,
    TeacherAddPrompt,
    TeacherRenamePrompt,
    TeacherRemoveConfirm,
    TeacherForgetConfirm,
    TeacherImportTitle,
    TeacherImportFilter,
    TeacherCsvTitle,
    TeacherCsvFilter,
    TeacherPdfTitle,
    TeacherPdfFilter,
    TeacherWritten,
    TeacherNotWritten,
    TeacherPageTitle,
    TeacherPageDate,
    TeacherPageSummary, // %1 answers, %2 days, %3 share right at the first try
    TeacherReadFailed,
    TeacherPupilAdded,
    TeacherPupilRenamed,
    TeacherPupilRemoved,
    TeacherPupilForgotten,
    TeacherChartHint,       // the chart before anything is picked
    TeacherEditFailed,
    TeacherAllClasses,      // the school server's class picker: every class
    TeacherSchoolHint,      // the school server named, the teacher not yet logged in
    TeacherSchoolMissing,   // the log-in tried without a name or a password
    TeacherSchoolAllSent,   // no computer has answers waiting to be sent
    TeacherSchoolShown,     // logged in: %1 the teacher's role
    LevelsInForce, // %1 the level's keys as the file writes them
    LevelsAnswerable,
    LevelsRefused, // %1 why the level cannot be saved
    LevelsSaved, // %1 the file
    LevelsNotWritable, // %1 the file
    LevelsSaveAsTitle,
    LevelsSaveAsFilter,
    LevelsNotWritten, // %1 the file
    LevelsFileRefuses, // %1 the file's refusal line
    InformationLine1,     // the information box's extra lines (optional)
    InformationLine2,
    InformationLine3,
    InformationLine4,
};

struct MessageEntry {
    Message message;
    const char* number; // its key in section [Strings]
    bool optional;      // a language file may leave it out
};

// Every message the program shows, in the order of the enum.
inline constexpr std::array kMessages{
    MessageEntry{Message::LeaveExercisePrompt, "0001", false},
    MessageEntry{Message::TurnTooFarForward, "0002", false},
    MessageEntry{Message::TurnTooFarBack, "0003", false},
    MessageEntry{Message::BuiltAngleTip, "0004", false},
    MessageEntry{Message::BuildAskedFor, "0021", false},
    MessageEntry{Message::BuildLeftButtonHint, "0022", false},
    MessageEntry{Message::BuildRightButtonHint, "0023", false},
    MessageEntry{Message::BuildRequest, "0024", false},
    MessageEntry{Message::SupplementaryBefore, "0026", false},
    MessageEntry{Message::SupplementaryAfter, "0027", false},
    MessageEntry{Message::SupplementaryQuestion, "0028", false},
    MessageEntry{Message::IsConvex, "0030", false},
    MessageEntry{Message::IsConcave, "0032", false},
    MessageEntry{Message::ComplementaryBefore, "0034", false},
    MessageEntry{Message::ComplementaryAfter, "0035", false},
    MessageEntry{Message::ComplementaryQuestion, "0036", false},
    MessageEntry{Message::AlreadyRunning, "0037", false},
    MessageEntry{Message::AlreadyRunningTitle, "0038", false},
    MessageEntry{Message::QuitPrompt, "0039", false},
    MessageEntry{Message::CorrectCaption, "0040", false},
    MessageEntry{Message::WrongCaption, "0041", false},
    MessageEntry{Message::IsRight, "0076", false},
    MessageEntry{Message::IsObtuse, "0077", false},
    MessageEntry{Message::IsStraight, "0078", false},
    MessageEntry{Message::IsAcute, "0080", false},
    MessageEntry{Message::MeasureCaption, "0082", false},
    MessageEntry{Message::YesButton, "0090", true},
    MessageEntry{Message::NoButton, "0091", true},
    MessageEntry{Message::OkButton, "0092", true},
    MessageEntry{Message::MessageBoxTitle, "0093", true},
    MessageEntry{Message::EstimateQuestion, "0100", false},
    MessageEntry{Message::EstimateComparison, "0101", false},
    MessageEntry{Message::ProtractorQuestion, "0110", false},
    MessageEntry{Message::ProtractorMeasured, "0111", false},
    MessageEntry{Message::ProtractorName, "0112", false},
    MessageEntry{Message::ProtractorHint, "0113", false},
    MessageEntry{Message::ProtractorPlace, "0114", false},
    MessageEntry{Message::ProtractorOnVertex, "0115", false},
    MessageEntry{Message::ProtractorOfVertex, "0116", false},
    MessageEntry{Message::ProtractorRight, "0117", false},
    MessageEntry{Message::ProtractorLeft, "0118", false},
    MessageEntry{Message::ProtractorUp, "0119", false},
    MessageEntry{Message::ProtractorDown, "0120", false},
    MessageEntry{Message::TeacherPasswordPrompt, "0200", false},
    MessageEntry{Message::TeacherPasswordChoose, "0201", false},
    MessageEntry{Message::TeacherPasswordRepeat, "0202", false},
    MessageEntry{Message::TeacherPasswordMismatch, "0203", false},
    MessageEntry{Message::TeacherPasswordNotKept, "0204", false},
    MessageEntry{Message::TeacherPasswordWrong, "0205", false},
    MessageEntry{Message::TeacherPasswordWait, "0206", false},
    MessageEntry{Message::RoundTitle, "0130", false},
    MessageEntry{Message::RoundFirstTry, "0131", false},
    MessageEntry{Message::RoundMoreTries, "0132", false},
    MessageEntry{Message::RoundFiguresCaption, "0133", false},
    MessageEntry{Message::RoundAllFirstTry, "0134", false},
    MessageEntry{Message::RoundWrongTries, "0135", false},
    MessageEntry{Message::RoundAgain, "0136", false},
    MessageEntry{Message::RoundMenu, "0137", false},
    MessageEntry{Message::LockedNoPassword, "0140", false},
    MessageEntry{Message::BuildLongPressHint, "0160", false},
    MessageEntry{Message::ResultsFolderNotWritable, "0210", false},
    MessageEntry{Message::ResultsDiskFull, "0211", false},
    MessageEntry{Message::ResultsLocked, "0212", false},
    MessageEntry{Message::ResultsDamaged, "0213", false},
    MessageEntry{Message::ResultsNewerVersion, "0214", false},
    MessageEntry{Message::ResultsFailed, "0215", false},
    MessageEntry{Message::PupilNameEmpty, "0216", false},
    MessageEntry{Message::PupilNameTooLong, "0217", false},
    MessageEntry{Message::PupilNameTaken, "0218", false},
    MessageEntry{Message::PupilNameUnknown, "0219", false},
    MessageEntry{Message::PupilImportDone, "0220", false},
    MessageEntry{Message::PupilImportUnreadable, "0221", false},
    MessageEntry{Message::PupilPageOf, "0226", false},
    MessageEntry{Message::PupilChangeName, "0227", false},
    MessageEntry{Message::ServerUnsentCount, "0300", false},
    MessageEntry{Message::ServerUnreachable, "0301", false},
    MessageEntry{Message::ServerSettingsWrong, "0302", false},
    MessageEntry{Message::ServerTeacherRefused, "0303", false},
    MessageEntry{Message::ServerComputerBacklog, "0304", false},
    MessageEntry{Message::ServerReadingFailed, "0305", false},
    MessageEntry{Message::TeacherAllExercises, "0240", false},
    MessageEntry{Message::TeacherAllPupils, "0241", false},
    MessageEntry{Message::TeacherNoAnswers, "0242", false},
    MessageEntry{Message::TeacherCellToolTip, "0243", false},
    MessageEntry{Message::TeacherMeasureShare, "0244", false},
    MessageEntry{Message::TeacherMeasureAnswers, "0245", false},
    MessageEntry{Message::TeacherMeasureLast, "0246", false},
    MessageEntry{Message::TeacherColumnWhen, "0247", false},
    MessageEntry{Message::TeacherColumnExercise, "0248", false},
    MessageEntry{Message::TeacherColumnQuestion, "0249", false},
    MessageEntry{Message::TeacherColumnAnswer, "0250", false},
    MessageEntry{Message::TeacherColumnVerdict, "0251", false},
    MessageEntry{Message::TeacherColumnAttempt, "0252", false},
    MessageEntry{Message::TeacherColumnSeconds, "0253", false},
    MessageEntry{Message::TeacherColumnQuestions, "0254", false},
    MessageEntry{Message::TeacherAnswerRight, "0255", false},
    MessageEntry{Message::TeacherAnswerWrong, "0256", false},
    MessageEntry{Message::TeacherChartTitle, "0257", false},
    MessageEntry{Message::TeacherAnswerLine, "0258", false},
    MessageEntry{Message::TeacherPickPupilFirst, "0259", false},
    MessageEntry{Message::TeacherAddPrompt, "0260", false},
    MessageEntry{Message::TeacherRenamePrompt, "0261", false},
    MessageEntry{Message::TeacherRemoveConfirm, "0262", false},
    MessageEntry{Message::TeacherForgetConfirm, "0263", false},
    MessageEntry{Message::TeacherImportTitle, "0264", false},
    MessageEntry{Message::TeacherImportFilter, "0265", false},
    MessageEntry{Message::TeacherCsvTitle, "0266", false},
    MessageEntry{Message::TeacherCsvFilter, "0267", false},
    MessageEntry{Message::TeacherPdfTitle, "0268", false},
    MessageEntry{Message::TeacherPdfFilter, "0269", false},
    MessageEntry{Message::TeacherWritten, "0270", false},
    MessageEntry{Message::TeacherNotWritten, "0271", false},
    MessageEntry{Message::TeacherPageTitle, "0272", false},
    MessageEntry{Message::TeacherPageDate, "0273", false},
    MessageEntry{Message::TeacherPageSummary, "0274", false},
    MessageEntry{Message::TeacherReadFailed, "0275", false},
    MessageEntry{Message::TeacherPupilAdded, "0276", false},
    MessageEntry{Message::TeacherPupilRenamed, "0277", false},
    MessageEntry{Message::TeacherPupilRemoved, "0278", false},
    MessageEntry{Message::TeacherPupilForgotten, "0279", false},
    MessageEntry{Message::TeacherChartHint, "0280", false},
    MessageEntry{Message::TeacherEditFailed, "0281", false},
    MessageEntry{Message::TeacherAllClasses, "0330", false},
    MessageEntry{Message::TeacherSchoolHint, "0331", false},
    MessageEntry{Message::TeacherSchoolMissing, "0332", false},
    MessageEntry{Message::TeacherSchoolAllSent, "0333", false},
    MessageEntry{Message::TeacherSchoolShown, "0334", false},
    MessageEntry{Message::LevelsInForce, "0350", false},
    MessageEntry{Message::LevelsAnswerable, "0351", false},
    MessageEntry{Message::LevelsRefused, "0352", false},
    MessageEntry{Message::LevelsSaved, "0353", false},
    MessageEntry{Message::LevelsNotWritable, "0354", false},
    MessageEntry{Message::LevelsSaveAsTitle, "0355", false},
    MessageEntry{Message::LevelsSaveAsFilter, "0356", false},
    MessageEntry{Message::LevelsNotWritten, "0357", false},
    MessageEntry{Message::LevelsFileRefuses, "0358", false},
    MessageEntry{Message::InformationLine1, "9996", true},
    MessageEntry{Message::InformationLine2, "9997", true},
    MessageEntry{Message::InformationLine3, "9998", true},
    MessageEntry{Message::InformationLine4, "9999", true},
};

constexpr bool tableFollowsTheEnum()
{
    for (size_t i = 0; i < kMessages.size(); ++i) {
        if (size_t(kMessages[i].message) != i)
            return false;
    }
    return size_t(Message::InformationLine4) + 1 == kMessages.size();
}
static_assert(tableFollowsTheEnum(), "one entry per message, in the enum's order");

// The message's key in section [Strings]: "0001".
inline QString messageNumber(Message message)
{
    return QString::fromLatin1(kMessages[size_t(message)].number);
}

} // namespace language
