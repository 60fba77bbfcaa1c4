#include "results/QuestionText.h"

#include <QStringList>

namespace results {

namespace {

QString escaped(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '%': out += QStringLiteral("%25"); break;
        case ';': out += QStringLiteral("%3B"); break;
        case '=': out += QStringLiteral("%3D"); break;
        default: out += c;
        }
    }
    return out;
}

QString unescaped(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('%') && i + 2 < text.size()) {
            bool ok = false;
            const int code = text.mid(i + 1, 2).toInt(&ok, 16);
            if (ok) {
                out += QChar(code);
                i += 2;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

} // namespace

QuestionText& QuestionText::add(const QString& key, const QString& value)
{
    m_items.append({key, value});
    return *this;
}

QuestionText& QuestionText::add(const QString& key, int value)
{
    return add(key, QString::number(value));
}

QuestionText& QuestionText::add(const QString& key, const QList<int>& values)
{
    QStringList parts;
    for (const int v : values)
        parts.append(QString::number(v));
    return add(key, parts.join(QLatin1Char(',')));
}

QString QuestionText::format() const
{
    QStringList parts;
    for (const auto& [key, value] : m_items)
        parts.append(escaped(key) + QLatin1Char('=') + escaped(value));
    return parts.join(QLatin1Char(';'));
}

QuestionText QuestionText::parse(const QString& text)
{
    QuestionText parsed;
    if (text.isEmpty())
        return parsed;
    for (const QStringView part : QStringView(text).split(QLatin1Char(';'))) {
        const qsizetype eq = part.indexOf(QLatin1Char('='));
        if (eq < 0) {
            parsed.m_items.append({unescaped(part), QString()});
            continue;
        }
        parsed.m_items.append({unescaped(part.left(eq)), unescaped(part.mid(eq + 1))});
    }
    return parsed;
}

bool QuestionText::has(const QString& key) const
{
    for (const auto& item : m_items) {
        if (item.first == key)
            return true;
    }
    return false;
}

QString QuestionText::value(const QString& key) const
{
    for (const auto& item : m_items) {
        if (item.first == key)
            return item.second;
    }
    return {};
}

QList<int> QuestionText::numbers(const QString& key) const
{
    QList<int> out;
    const QString text = value(key);
    for (const QStringView part : QStringView(text).split(QLatin1Char(','))) {
        bool ok = false;
        const int n = part.trimmed().toInt(&ok);
        if (ok)
            out.append(n);
    }
    return out;
}

} // namespace results
