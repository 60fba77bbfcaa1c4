#include "exercises/TypedAngle.h"

#include <gtest/gtest.h>

#include <optional>

using namespace exercises;

namespace {

struct TypedValue {
    const char* text;
    std::optional<int> value;
};

TEST(TypedAngle, TheValueIsTheLeadingDigits)
{
    const TypedValue table[] = {
        {"55", 55},
        {"0", 0},
        {"0055", 55},
        {"55,7", 55},  // the comma ends the number
        {"55,", 55},
        {",", 0},      // only a comma: nothing before it
        {",5", 0},
        {"12abc", 12}, // pasted text: the digits before the first letter
        {"145.5", 145},
        {"", std::nullopt},
        {"abc", std::nullopt},
        {" 55", std::nullopt},
        {"-5", std::nullopt},
        {".5", std::nullopt},
        {"2147483647", 2147483647},
        {"2147483648", std::nullopt},
        {"1234567890123456789012345678901234567890", std::nullopt},
        {"0000000000000000000000000000000000000089", 89}, // long, but a small number
    };
    for (const TypedValue& row : table)
        EXPECT_EQ(typedAngleValue(QString::fromLatin1(row.text)), row.value) << '"' << row.text << '"';
}

TEST(TypedAngle, AnAnswerIsRightOnlyWhenItCompletesTheWholeAngle)
{
    struct Row {
        const char* text;
        int given;
        int whole;
        bool right;
    };
    const Row table[] = {
        {"55", 35, 90, true},   {"55,9", 35, 90, true}, {"56", 35, 90, false},  {"0", 90, 90, true},
        {",", 90, 90, true},    {"89", 1, 90, true},    {"145", 35, 180, true}, {"145,5", 35, 180, true},
        {"55", 35, 180, false}, {"0", 180, 180, true},  {"abc", 90, 90, false}, {"-0", 90, 90, false},
    };
    for (const Row& row : table)
        EXPECT_EQ(completesAngle(QString::fromLatin1(row.text), row.given, row.whole), row.right)
            << row.text << " for " << row.given << " of " << row.whole;
}

TEST(TypedAngle, TheEquationPutsTheCompletingAngleFirst)
{
    struct Row {
        int given;
        int whole;
        const char* text;
    };
    const Row table[] = {
        {35, 90, " 55° +  35° = 90° "},
        {90, 90, " 0° +  90° = 90° "},
        {1, 90, " 89° +  1° = 90° "},
        {35, 180, " 145° +  35° = 180° "},
        {180, 180, " 0° +  180° = 180° "},
    };
    for (const Row& row : table)
        EXPECT_EQ(completionEquation(row.given, row.whole), QString::fromUtf8(row.text)) << row.text;
}

TEST(TypedAngle, TheQuestionGivesTheSizeWithABlankAndBreaksTheLine)
{
    EXPECT_EQ(completionQuestion(QStringLiteral("L'angolo misura"), 35, QStringLiteral("°."),
                                 QStringLiteral("Quanto misura?")),
              QStringLiteral("L'angolo misura 35°.\r\nQuanto misura?"));
    EXPECT_EQ(completionQuestion(QString(), 180, QString(), QString()), QStringLiteral(" 180\r\n"));
}

} // namespace
