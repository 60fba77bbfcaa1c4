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
        {"55 gradi", 55},
    };
    for (const TypedValue& row : table)
        EXPECT_EQ(typedAngleValue(QString::fromLatin1(row.text)), row.value) << '"' << row.text << '"';
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

} // namespace
