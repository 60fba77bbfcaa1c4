#pragma once

#include "exercise/RoundTally.h"

#include <QFrame>
#include <QList>

class QLabel;
class QPushButton;

namespace platform {
class PictureBox;
}

namespace exercise {

// The summary at the end of a round, over the whole exercise window: right
// at the first try, right after more tries, the figure of each question that
// needed more than one try drawn again in small boxes, then "again" (a new
// round) and "menu".
class RoundSummary : public QFrame {
    Q_OBJECT
public:
    RoundSummary(const RoundTally& tally, QWidget* parent);

    QLabel* Title = nullptr;
    QLabel* FirstTry = nullptr;    // "Right at the first try: 2"
    QLabel* MoreTries = nullptr;   // "Right after more tries: 1"
    QLabel* FiguresCaption = nullptr;
    QPushButton* CommandAgain = nullptr;
    QPushButton* CommandMenu = nullptr;
    // The small boxes, one list per question that needed more tries.
    QList<QList<platform::PictureBox*>> figureBoxes;

signals:
    void again();
    void menu();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace exercise
