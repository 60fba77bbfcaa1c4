#pragma once

#include "results/AnswerRecord.h"

#include <QAbstractTableModel>
#include <QDateTime>
#include <QList>
#include <QString>

namespace teacherview {

// An exercise as the teacher's view names it: its catalogue name and the
// caption of its menu button.
struct ExerciseColumn {
    QString name;
    QString caption;
};

// One pupil's work on one exercise, or on all of them.
struct SummaryCell {
    int answers = 0;
    int questions = 0;
    int rightAtFirstTry = 0;
    QDateTime lastPractised; // UTC; null when never

    // The share of questions right at the first try, 0..100; -1 with no question.
    int sharePercent() const { return questions > 0 ? (rightAtFirstTry * 100 + questions / 2) / questions : -1; }
    void add(const SummaryCell& other);
};

// The table of pupils by exercises: a row per pupil (the class list in its
// order, then anyone else who has answered, by name), a first column for all
// exercises together and a column per exercise (the catalogue's order, then
// any other exercise found in the results). It holds only the summary lines,
// never the answers, so it costs the same for a week as for a year.
class SummaryModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // What the cells show; every cell's tooltip says all three.
    enum class Measure { ShareRightFirstTry, Answers, LastPractised };
    // The cell's share right at the first try (int, -1 when none).
    static constexpr int ShareRole = Qt::UserRole + 1;

    explicit SummaryModel(QObject* parent = nullptr);

    void setExercises(const QList<ExerciseColumn>& exercises);
    void reload(const results::ResultsReader& reader);
    void setMeasure(Measure measure);
    Measure measure() const { return m_measure; }

    // The pupil of a row; the exercise of a column (empty for the first, all exercises).
    QString pupil(int row) const { return m_pupils.value(row); }
    QString exercise(int column) const;
    QString exerciseCaption(const QString& name) const;
    int rowOf(const QString& pupil) const { return int(m_pupils.indexOf(pupil)); }
    SummaryCell cell(int row, int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QString cellText(const SummaryCell& cell) const;

    QList<ExerciseColumn> m_catalogue;
    QList<ExerciseColumn> m_columns; // without the first (all exercises)
    QStringList m_pupils;
    QList<SummaryCell> m_cells;      // row by row, all exercises first
    Measure m_measure = Measure::ShareRightFirstTry;
};

// The date a teacher reads in the table and the lists: the local day, ISO order.
QString shortDate(const QDateTime& utc);

} // namespace teacherview
