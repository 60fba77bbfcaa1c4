#include "teacherview/SummaryModel.h"

#include "teacherview/ViewText.h"

#include <QBrush>
#include <QColor>
#include <QHash>
#include <QSet>

#include <algorithm>

namespace teacherview {

using language::Message;

void SummaryCell::add(const SummaryCell& other)
{
    answers += other.answers;
    questions += other.questions;
    rightAtFirstTry += other.rightAtFirstTry;
    if (other.lastPractised.isValid() && (!lastPractised.isValid() || other.lastPractised > lastPractised))
        lastPractised = other.lastPractised;
}

QString shortDate(const QDateTime& utc)
{
    return utc.isValid() ? utc.toLocalTime().toString(QStringLiteral("yyyy-MM-dd")) : QString();
}

SummaryModel::SummaryModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

void SummaryModel::setExercises(const QList<ExerciseColumn>& exercises)
{
    m_catalogue = exercises;
}

void SummaryModel::reload(const results::ResultsReader& reader)
{
    beginResetModel();
    const QList<results::PupilExerciseSummary> lines = reader.summary();

    m_pupils = reader.pupils();
    QSet<QString> listed(m_pupils.cbegin(), m_pupils.cend());
    QStringList others;
    QSet<QString> exercisesSeen;
    for (const results::PupilExerciseSummary& line : lines) {
        if (!listed.contains(line.pupil)) {
            listed.insert(line.pupil);
            others.append(line.pupil);
        }
        exercisesSeen.insert(line.exercise);
    }
    std::sort(others.begin(), others.end(),
              [](const QString& a, const QString& b) { return QString::localeAwareCompare(a, b) < 0; });
    m_pupils += others;

    m_columns = m_catalogue;
    for (const ExerciseColumn& column : m_catalogue)
        exercisesSeen.remove(column.name);
    QStringList extra(exercisesSeen.cbegin(), exercisesSeen.cend());
    std::sort(extra.begin(), extra.end());
    for (const QString& name : extra)
        m_columns.append({name, name});

    QHash<QString, int> rowOf;
    for (int r = 0; r < m_pupils.size(); ++r)
        rowOf.insert(m_pupils[r], r);
    QHash<QString, int> columnOf;
    for (int c = 0; c < m_columns.size(); ++c)
        columnOf.insert(m_columns[c].name, c + 1);

    const int width = int(m_columns.size()) + 1;
    m_cells = QList<SummaryCell>(m_pupils.size() * width);
    for (const results::PupilExerciseSummary& line : lines) {
        const SummaryCell cell{line.answers, line.questions, line.rightAtFirstTry, line.lastPractised};
        const int row = rowOf.value(line.pupil);
        m_cells[row * width + columnOf.value(line.exercise)].add(cell);
        m_cells[row * width].add(cell);
    }
    endResetModel();
}

void SummaryModel::setMeasure(Measure measure)
{
    if (measure == m_measure)
        return;
    m_measure = measure;
    if (rowCount() > 0 && columnCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {Qt::DisplayRole});
}

QString SummaryModel::exercise(int column) const
{
    return column >= 1 && column <= m_columns.size() ? m_columns[column - 1].name : QString();
}

QString SummaryModel::exerciseCaption(const QString& name) const
{
    if (name.isEmpty())
        return viewText(Message::TeacherAllExercises);
    for (const ExerciseColumn& column : m_columns) {
        if (column.name == name)
            return column.caption;
    }
    return name;
}

SummaryCell SummaryModel::cell(int row, int column) const
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return {};
    return m_cells[row * columnCount() + column];
}

int SummaryModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_pupils.size());
}

int SummaryModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size()) + 1;
}

QString SummaryModel::cellText(const SummaryCell& cell) const
{
    if (cell.answers == 0)
        return QString();
    switch (m_measure) {
    case Measure::ShareRightFirstTry:
        return cell.sharePercent() < 0 ? QString() : QString::number(cell.sharePercent()) + u'%';
    case Measure::Answers:
        return QString::number(cell.answers);
    case Measure::LastPractised:
        return shortDate(cell.lastPractised);
    }
    return QString();
}

QVariant SummaryModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const SummaryCell c = cell(index.row(), index.column());
    switch (role) {
    case Qt::DisplayRole:
        return cellText(c);
    case Qt::ToolTipRole:
        if (c.answers == 0)
            return viewText(Message::TeacherNoAnswers);
        return viewText(Message::TeacherCellToolTip)
            .arg(c.answers)
            .arg(c.questions)
            .arg(qMax(0, c.sharePercent()))
            .arg(shortDate(c.lastPractised));
    case Qt::TextAlignmentRole:
        return int(Qt::AlignCenter);
    case Qt::BackgroundRole: {
        // A soft red to green by the share right at the first try.
        const int share = c.sharePercent();
        if (c.answers == 0 || share < 0)
            return {};
        return QBrush(QColor::fromHsv(share * 120 / 100, 70, 255));
    }
    case Qt::ForegroundRole:
        return c.answers == 0 ? QVariant() : QVariant(QBrush(Qt::black));
    case ShareRole:
        return c.sharePercent();
    default:
        return {};
    }
}

QVariant SummaryModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    if (orientation == Qt::Vertical)
        return m_pupils.value(section);
    if (section == 0)
        return viewText(Message::TeacherAllExercises);
    const ExerciseColumn column = m_columns.value(section - 1);
    return role == Qt::ToolTipRole ? column.caption + QStringLiteral(" (") + column.name + u')' : column.caption;
}

} // namespace teacherview
