#pragma once

#include <QString>
#include <QStringView>

// What a box where the pupil types a number may hold, whatever way the text
// came in: typed, pasted, dropped or composed by an input method.
namespace exercise {

// The characters an answer is written with: the digits and the comma. Every
// other character, Enter included, is discarded as it is typed.
constexpr bool isAnswerCharacter(char16_t c)
{
    return (c >= u'0' && c <= u'9') || c == u',';
}

// A text with the characters no answer is written with taken out, and the
// cursor moved back by those that stood before it.
struct KeptAnswer {
    QString text;
    int cursor = 0;
};

inline KeptAnswer keptAnswer(QStringView text, int cursor)
{
    KeptAnswer kept;
    kept.text.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (isAnswerCharacter(text[i].unicode()))
            kept.text.append(text[i]);
        else if (i < cursor)
            --cursor;
    }
    kept.cursor = cursor;
    return kept;
}

} // namespace exercise
