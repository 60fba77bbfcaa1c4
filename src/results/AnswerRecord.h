#pragma once

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <QUuid>

#include <functional>

// The record kept beside the counts: every judged answer, by pupil.
namespace results {

// One judged answer, as the exercise frame records it.
struct AnswerRecord {
    QUuid id;             // made where it was answered, so unique across computers
    QDateTime answeredAt; // UTC, to the millisecond
    QString pupil;
    QString exercise;     // the window's catalogue name: "frmRuota1"
    QString question;     // what was shown, in the exercise's own words: "sizes=35,120;target=90"
    QString answer;       // what was given: "class=acute", "typed=55", "built=90", "box=3"
    bool right = false;
    int attempt = 1;          // 1 for the first try at this question
    double secondsShown = 0;  // seconds from the question on the screen to the answer
    QString language;         // the language file's name ("English"); empty for the built-in texts
    QString round;            // the round's id when the answer belongs to a round; else empty

    friend bool operator==(const AnswerRecord&, const AnswerRecord&) = default;
};

// One line of the teacher's table: a pupil's work on one exercise.
struct PupilExerciseSummary {
    QString pupil;
    QString exercise;
    int answers = 0;
    int questions = 0;          // questions with at least one answer
    int rightAtFirstTry = 0;    // questions whose first answer was right
    QDateTime lastPractised;    // UTC
};

// The share of right answers on one day (UTC), for the charts.
struct DailyShare {
    QDate day;
    int answers = 0;
    int right = 0;
};

// What the teacher's view reads: the results of one computer account (the
// local database) or of a whole school (the school server).
class ResultsReader {
public:
    virtual ~ResultsReader() = default;

    // The class list, in the teacher's order.
    virtual QStringList pupils() const = 0;
    virtual QList<PupilExerciseSummary> summary() const = 0;
    // Per day, oldest first; an empty pupil or exercise means all of them.
    virtual QList<DailyShare> dailyShares(const QString& pupil, const QString& exercise) const = 0;
    // Every answer of the pupil (all pupils when empty), oldest first, one at a
    // time so an export of a whole year needs no list of it in memory. Returns
    // false when the reading failed part way.
    virtual bool forEachAnswer(const QString& pupil, const std::function<void(const AnswerRecord&)>& visit) const = 0;
    // One line that says why results cannot be read or kept, empty when all is well.
    virtual QString problem() const = 0;
};

} // namespace results
