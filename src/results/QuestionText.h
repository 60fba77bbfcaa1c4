#pragma once

#include <QList>
#include <QString>

#include <utility>

namespace results {

// The words a question or an answer is kept in: key=value pairs joined by
// ';', as in "sizes=35,120;target=90" or "typed=55". A list of numbers is one
// value with its numbers joined by ','. A '%', ';' or '=' inside a key or a
// value is written as %25, %3B or %3D, so any text comes back as it was.
class QuestionText {
public:
    QuestionText() = default;

    QuestionText& add(const QString& key, const QString& value);
    QuestionText& add(const QString& key, int value);
    QuestionText& add(const QString& key, const QList<int>& values);

    QString format() const;
    // Reads what format() wrote; a part without '=' becomes a key with an empty value.
    static QuestionText parse(const QString& text);

    bool has(const QString& key) const;
    // The first value of the key, empty when there is none.
    QString value(const QString& key) const;
    // The key's value as whole numbers; a part that is not one is left out.
    QList<int> numbers(const QString& key) const;
    const QList<std::pair<QString, QString>>& items() const { return m_items; }

    friend bool operator==(const QuestionText&, const QuestionText&) = default;

private:
    QList<std::pair<QString, QString>> m_items;
};

} // namespace results
