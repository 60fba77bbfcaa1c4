#pragma once

#include <QString>
#include <QStringView>

#include <limits>
#include <optional>

// The rules of the windows where the pupil types the measure that completes a
// given angle to a right or a straight angle.
namespace exercises {

// The value of an answer box's text: its leading digits, up to the first
// character that cannot continue the number, so "55,7" is 55 and "12abc" is
// 12. A text that starts with a comma is 0. A text that starts with anything
// else, or whose digits make a number too large for an int, is not a number.
inline std::optional<int> typedAngleValue(QStringView text)
{
    if (text.startsWith(u','))
        return 0;
    if (text.isEmpty() || !(text.front() >= u'0' && text.front() <= u'9'))
        return std::nullopt;
    int value = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            break;
        const int digit = c.unicode() - u'0';
        if (value > (std::numeric_limits<int>::max() - digit) / 10)
            return std::nullopt;
        value = value * 10 + digit;
    }
    return value;
}

// Whether the text answers how many degrees complete `given` to `whole`.
inline bool completesAngle(QStringView text, int given, int whole)
{
    const std::optional<int> value = typedAngleValue(text);
    return value && *value == whole - given;
}

// Whether the text is the size of the angle read off a protractor.
inline bool readsAngle(QStringView text, int size)
{
    const std::optional<int> value = typedAngleValue(text);
    return value && *value == size;
}

// A whole number with the blank that stands where a minus sign would: " 35".
inline QString withLeadingBlank(int value)
{
    return u' ' + QString::number(value);
}

// The question: "<before> 35<after>", a line break, then the second line.
inline QString completionQuestion(const QString& before, int given, const QString& after, const QString& secondLine)
{
    return before + withLeadingBlank(given) + after + QStringLiteral("\r\n") + secondLine;
}

// The equation a right answer shows, the completing angle first:
// " 55° +  35° = 90° ".
inline QString completionEquation(int given, int whole)
{
    const QChar degree(0x00B0);
    return withLeadingBlank(whole - given) + degree + QStringLiteral(" + ") + withLeadingBlank(given) + degree
        + QStringLiteral(" = ") + QString::number(whole) + degree + u' ';
}

} // namespace exercises
