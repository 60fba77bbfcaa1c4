#pragma once

#include <QString>

namespace exercises {

// How a first measure stands to a second one.
enum class Relation { Less, Greater, Equal };

// The relation's name in the words answers are kept with.
constexpr const char* relationKey(Relation relation)
{
    switch (relation) {
    case Relation::Less: return "less";
    case Relation::Greater: return "greater";
    case Relation::Equal: return "equal";
    }
    return "";
}

constexpr Relation compare(int a, int b)
{
    if (a < b)
        return Relation::Less;
    if (a > b)
        return Relation::Greater;
    return Relation::Equal;
}

// The sign written between the two measures: "<", ">" or "=".
inline QString symbol(Relation relation)
{
    switch (relation) {
    case Relation::Less: return QStringLiteral("<");
    case Relation::Greater: return QStringLiteral(">");
    case Relation::Equal: return QStringLiteral("=");
    }
    return QString();
}

} // namespace exercises
