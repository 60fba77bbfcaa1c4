#pragma once

#include <QString>

namespace teacherview {

// What an edit of the class list came to: whether it was made, and a line
// for the teacher (what was added or dropped, or why nothing changed).
struct EditOutcome {
    bool done = false;
    QString line;
    QString pupil; // the name as the list keeps it, when the edit names one
};

// The class list as the teacher's view edits it. The local results store
// offers it; a reader of the school's results may offer none, and the view
// then shows the class without the buttons that change it.
class ClassListEditor {
public:
    virtual ~ClassListEditor() = default;

    virtual EditOutcome addPupil(const QString& name) = 0;
    // The pupil's answers follow the new name.
    virtual EditOutcome renamePupil(const QString& from, const QString& to) = 0;
    // Off the list; the answers are kept.
    virtual EditOutcome removePupil(const QString& name) = 0;
    // Every answer of the pupil erased, for good.
    virtual EditOutcome forgetPupil(const QString& name) = 0;
    // The names of a text file (one a line) or a CSV file (the first field).
    virtual EditOutcome importPupils(const QString& path) = 0;
};

} // namespace teacherview
