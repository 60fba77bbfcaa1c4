#pragma once

#include "results/AnswerRecord.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

namespace teacherview {

// The answers of one pupil, newest first. Nothing is read until a pupil is
// chosen; then the answers are kept in a compact form (no identifiers, the
// exercise's name once) and handed to the view a page at a time as it
// scrolls, so a year of answers makes no widget per answer.
class AnswerListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // The question last, where the list has the room its text needs.
    enum Column { When, Exercise, Verdict, Attempt, Seconds, Answer, Question, ColumnCount };
    static constexpr int kPage = 200;

    explicit AnswerListModel(QObject* parent = nullptr);

    // The captions shown for the exercises' catalogue names.
    void setExerciseCaptions(const QHash<QString, QString>& captions) { m_captions = captions; }
    // Reads the pupil's answers; false when the reading failed part way (what
    // was read is shown). An empty pupil empties the list.
    bool load(const results::ResultsReader& reader, const QString& pupil);
    void clear();

    const QString& pupil() const { return m_pupil; }
    // Every answer read, whether or not the view has fetched it yet.
    int answerCount() const { return int(m_rows.size()); }
    // The answer shown in a row (newest first), as the store gave it, less
    // its identifier.
    results::AnswerRecord answer(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

private:
    struct Row {
        qint64 answeredAt = 0; // ms since the epoch, UTC
        QString question;
        QString answer;
        float seconds = 0;
        quint16 exercise = 0;  // into m_exercises
        quint16 language = 0;  // into m_languages
        quint8 attempt = 1;
        bool right = false;
    };
    const Row& rowAt(int row) const { return m_rows[m_rows.size() - 1 - row]; }

    QString m_pupil;
    QList<Row> m_rows; // oldest first, as read
    QStringList m_exercises;
    QStringList m_languages;
    QHash<QString, QString> m_captions;
    int m_shown = 0;
};

} // namespace teacherview
