#pragma once

#include "results/AnswerRecord.h"

#include <QString>

#include <functional>
#include <memory>

namespace results {

class ResultsStore;

// Where the exercise frame hands every judged answer. The program installs
// one; without it answers are judged and counted as ever, and kept nowhere.
class AnswerRecorder {
public:
    virtual ~AnswerRecorder() = default;
    // Who is answering now.
    virtual QString pupil() const = 0;
    // Keeps the answer before it returns; false when it could not be kept.
    virtual bool record(const AnswerRecord& answer) = 0;

    // The recorder of this run; nullptr when none is installed.
    static AnswerRecorder* installed();
    static void install(AnswerRecorder* recorder);
};

// The program's recorder: the answers of this computer account in its
// results database (opened at the first answer), under the name of the pupil who picked it, or of the
// account when there is no class list. A fault never stops the pupil: the
// answer is not kept, and one line on the error output and in problem() says
// why, each time the reason changes.
class Recording final : public AnswerRecorder {
public:
    explicit Recording(const QString& databasePath);
    ~Recording() override;

    QString pupil() const override;
    // Empty: the account's user name again.
    void setPupil(const QString& pupil);
    bool record(const AnswerRecord& answer) override;

    // Why answers are not being kept, in one line; empty when they are.
    QString problem() const;
    // Called with the new line (empty when the fault has passed) whenever it changes.
    void onProblemChanged(std::function<void(const QString&)> listener) { m_listener = std::move(listener); }

    // The store, opened on first use: a run in which nobody answers leaves
    // the account's data folder as it was.
    ResultsStore& store();
    // Whether there is a results file to read yet (a class list kept in it).
    bool hasResults() const;

    // The program's recording when it has one (the teacher's view shows its problem).
    static Recording* current();

private:
    void noteProblem();

    QString m_path;
    std::unique_ptr<ResultsStore> m_store;
    QString m_pupil;
    QString m_problem;
    std::function<void(const QString&)> m_listener;
};

// The computer account's user name, as answers without a class list are kept under.
QString accountUserName();

} // namespace results
