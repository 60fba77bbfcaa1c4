#pragma once

#include "platform/widgets/PictureBox.h"

#include <QList>
#include <QRectF>

// What a round of questions keeps of each question: how many wrong tries
// came before the right answer, and its figure, to be drawn again.
namespace exercise {

// One drawing box's figure: its lines in its user coordinates.
struct Figure {
    QRectF scale;
    QList<platform::DrawnLine> lines;
};

struct QuestionOutcome {
    int wrongTries = 0;
    QList<Figure> figures; // one per drawing box of the exercise
};

// The counts a round's summary shows.
struct RoundTally {
    int rightFirstTime = 0;
    int rightAfterMoreTries = 0;
    QList<QuestionOutcome> needingMoreTries; // in the order they were asked
};

inline RoundTally tallyRound(const QList<QuestionOutcome>& outcomes)
{
    RoundTally tally;
    for (const QuestionOutcome& outcome : outcomes) {
        if (outcome.wrongTries == 0) {
            ++tally.rightFirstTime;
        } else {
            ++tally.rightAfterMoreTries;
            tally.needingMoreTries.append(outcome);
        }
    }
    return tally;
}

} // namespace exercise
