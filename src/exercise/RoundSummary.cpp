#include "exercise/RoundSummary.h"

#include "language/LanguageSupport.h"
#include "language/TextDirection.h"
#include "platform/widgets/PictureBox.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace exercise {

namespace {
using language::Message;

constexpr int kFiguresPerRow = 3;

QString text(Message message)
{
    return language::LookupString(message);
}

QString withCount(Message message, int count)
{
    return text(message).replace(QStringLiteral("%1"), language::isolateMeasure(QString::number(count)));
}

QLabel* newText(QWidget* parent, const QString& caption, qreal pointSize, bool bold)
{
    auto* label = new QLabel(caption, parent);
    QFont font = label->font();
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    label->setFont(font);
    label->setWordWrap(true);
    return label;
}

// A small box showing a figure drawn again, line by line, as it was drawn.
platform::PictureBox* figureBox(const Figure& figure, int side, QWidget* parent)
{
    auto* box = new platform::PictureBox(parent);
    box->setFixedSize(side, side);
    box->setScale(figure.scale.topLeft(), figure.scale.bottomRight());
    for (const platform::DrawnLine& line : figure.lines) {
        box->setDrawWidth(line.width);
        box->line(line.from, line.to, line.colorIndex);
    }
    return box;
}
} // namespace

RoundSummary::RoundSummary(const RoundTally& tally, QWidget* parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("RoundSummary"));
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    setPalette(white);
    setFrameShape(QFrame::Box);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 16, 24, 16);
    const int questions = tally.rightFirstTime + tally.rightAfterMoreTries;
    Title = newText(this, withCount(Message::RoundTitle, questions), 20, true);
    Title->setAlignment(Qt::AlignCenter);
    FirstTry = newText(this, withCount(Message::RoundFirstTry, tally.rightFirstTime), 15, true);
    MoreTries = newText(this, withCount(Message::RoundMoreTries, tally.rightAfterMoreTries), 15, true);
    FiguresCaption = newText(this,
                             text(tally.needingMoreTries.isEmpty() ? Message::RoundAllFirstTry
                                                                  : Message::RoundFiguresCaption),
                             13, false);
    layout->addWidget(Title);
    layout->addWidget(FirstTry);
    layout->addWidget(MoreTries);
    layout->addWidget(FiguresCaption);

    // The figures in a grid that scrolls when a round had many hard questions.
    auto* scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    auto* figures = new QWidget(scroll);
    figures->setAutoFillBackground(true);
    // The white boxes stand out on a light grey.
    QPalette grey = white;
    grey.setColor(QPalette::Window, QColor(225, 225, 225));
    figures->setPalette(grey);
    auto* grid = new QGridLayout(figures);
    grid->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    for (qsizetype i = 0; i < tally.needingMoreTries.size(); ++i) {
        const QuestionOutcome& outcome = tally.needingMoreTries[i];
        auto* cell = new QWidget(figures);
        auto* cellLayout = new QVBoxLayout(cell);
        cellLayout->setContentsMargins(4, 4, 4, 4);
        auto* row = new QHBoxLayout();
        // Six boxes of one question stay as wide as one or two.
        const int side = outcome.figures.size() > 2 ? 72 : 144;
        QList<platform::PictureBox*> boxes;
        for (const Figure& figure : outcome.figures) {
            platform::PictureBox* box = figureBox(figure, side, cell);
            box->setAccessibleName(withCount(Message::RoundWrongTries, outcome.wrongTries));
            row->addWidget(box);
            boxes.append(box);
        }
        cellLayout->addLayout(row);
        QLabel* tries = newText(cell, withCount(Message::RoundWrongTries, outcome.wrongTries), 11, false);
        tries->setAlignment(Qt::AlignCenter);
        cellLayout->addWidget(tries);
        grid->addWidget(cell, int(i / kFiguresPerRow), int(i % kFiguresPerRow));
        figureBoxes.append(boxes);
    }
    scroll->setWidget(figures);
    layout->addWidget(scroll, 1);

    auto* buttons = new QHBoxLayout();
    const auto button = [this](const QString& name, Message caption) {
        auto* b = new QPushButton(text(caption), this);
        b->setObjectName(name);
        QFont font = b->font();
        font.setPointSizeF(15);
        font.setBold(true);
        b->setFont(font);
        b->setMinimumHeight(48);
        return b;
    };
    CommandAgain = button(QStringLiteral("CommandAgain"), Message::RoundAgain);
    CommandMenu = button(QStringLiteral("CommandMenu"), Message::RoundMenu);
    buttons->addWidget(CommandAgain);
    buttons->addWidget(CommandMenu);
    layout->addLayout(buttons);
    connect(CommandAgain, &QPushButton::clicked, this, &RoundSummary::again);
    connect(CommandMenu, &QPushButton::clicked, this, &RoundSummary::menu);

    // It covers the whole of its parent, whatever the window's size.
    if (parent) {
        setGeometry(parent->rect());
        parent->installEventFilter(this);
    }
    raise();
}

bool RoundSummary::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parent() && event->type() == QEvent::Resize)
        setGeometry(parentWidget()->rect());
    return QFrame::eventFilter(watched, event);
}

} // namespace exercise
