#include "teacherview/AnswerListModel.h"

#include "teacherview/ViewText.h"
#include "teacherview/SummaryModel.h"

#include <QBrush>
#include <QColor>
#include <QTimeZone>

#include <algorithm>
#include <limits>

namespace teacherview {

using language::Message;

namespace {

quint16 indexIn(QStringList& names, const QString& name)
{
    // Few names recur (ten exercises, a few languages): a look along the list is enough.
    const qsizetype at = names.indexOf(name);
    if (at >= 0)
        return quint16(at);
    if (names.size() >= std::numeric_limits<quint16>::max())
        return quint16(names.size() - 1);
    names.append(name);
    return quint16(names.size() - 1);
}

} // namespace

AnswerListModel::AnswerListModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

void AnswerListModel::clear()
{
    beginResetModel();
    m_pupil.clear();
    m_rows = {};
    m_exercises.clear();
    m_languages.clear();
    m_shown = 0;
    endResetModel();
}

bool AnswerListModel::load(const results::ResultsReader& reader, const QString& pupil)
{
    clear();
    if (pupil.isEmpty())
        return true;
    beginResetModel();
    m_pupil = pupil;
    const bool complete = reader.forEachAnswer(pupil, [this](const results::AnswerRecord& record) {
        Row row;
        row.answeredAt = record.answeredAt.toMSecsSinceEpoch();
        row.question = record.question;
        row.answer = record.answer;
        row.seconds = float(record.secondsShown);
        row.exercise = indexIn(m_exercises, record.exercise);
        row.language = indexIn(m_languages, record.language);
        row.attempt = quint8(std::clamp(record.attempt, 0, 255));
        row.right = record.right;
        m_rows.append(std::move(row));
    });
    m_rows.squeeze();
    m_shown = int(std::min<qsizetype>(kPage, m_rows.size()));
    endResetModel();
    return complete;
}

results::AnswerRecord AnswerListModel::answer(int row) const
{
    if (row < 0 || row >= m_rows.size())
        return {};
    const Row& r = rowAt(row);
    results::AnswerRecord record;
    record.answeredAt = QDateTime::fromMSecsSinceEpoch(r.answeredAt, Qt::UTC);
    record.pupil = m_pupil;
    record.exercise = m_exercises.value(r.exercise);
    record.question = r.question;
    record.answer = r.answer;
    record.right = r.right;
    record.attempt = r.attempt;
    record.secondsShown = r.seconds;
    record.language = m_languages.value(r.language);
    return record;
}

int AnswerListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_shown;
}

int AnswerListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

bool AnswerListModel::canFetchMore(const QModelIndex& parent) const
{
    return !parent.isValid() && m_shown < m_rows.size();
}

void AnswerListModel::fetchMore(const QModelIndex& parent)
{
    if (!canFetchMore(parent))
        return;
    const int more = int(std::min<qsizetype>(kPage, m_rows.size() - m_shown));
    beginInsertRows({}, m_shown, m_shown + more - 1);
    m_shown += more;
    endInsertRows();
}

QVariant AnswerListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_shown)
        return {};
    const Row& r = rowAt(index.row());
    if (role == Qt::DisplayRole) {
        switch (index.column()) {
        case When:
            return QDateTime::fromMSecsSinceEpoch(r.answeredAt, Qt::UTC)
                .toLocalTime()
                .toString(QStringLiteral("yyyy-MM-dd HH:mm"));
        case Exercise: {
            const QString name = m_exercises.value(r.exercise);
            return m_captions.value(name, name);
        }
        case Question:
            return r.question;
        case Answer:
            return r.answer;
        case Verdict:
            return viewText(r.right ? Message::TeacherAnswerRight : Message::TeacherAnswerWrong);
        case Attempt:
            return int(r.attempt);
        case Seconds:
            return QString::number(double(r.seconds), 'f', 1);
        default:
            return {};
        }
    }
    if (role == Qt::ForegroundRole && index.column() == Verdict)
        return QBrush(r.right ? QColor(0, 110, 0) : QColor(170, 0, 0));
    if (role == Qt::TextAlignmentRole && (index.column() == Attempt || index.column() == Seconds))
        return int(Qt::AlignTrailing | Qt::AlignVCenter);
    return {};
}

QVariant AnswerListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
        return {};
    static constexpr Message kHeaders[ColumnCount] = {
        Message::TeacherColumnWhen,    Message::TeacherColumnExercise, Message::TeacherColumnVerdict,
        Message::TeacherColumnAttempt, Message::TeacherColumnSeconds,  Message::TeacherColumnAnswer,
        Message::TeacherColumnQuestion};
    return section >= 0 && section < ColumnCount ? viewText(kHeaders[section]) : QVariant();
}

} // namespace teacherview
