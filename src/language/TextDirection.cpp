#include "language/TextDirection.h"

#include "language/IniFile.h"
#include "language/LanguageSupport.h"

#include <QGuiApplication>

namespace language {

namespace {
bool& rightToLeftShown()
{
    static bool shown = false;
    return shown;
}

// Unicode's left-to-right isolate and the pop that closes it.
constexpr char16_t kLeftToRightIsolate = u'\u2066';
constexpr char16_t kPopIsolate = u'\u2069';
} // namespace

bool isRightToLeftFile(const QString& path)
{
    if (path.isEmpty())
        return false;
    const QString value = ReadIniString(path, QStringLiteral("Language"), QStringLiteral("RightToLeft"));
    return value.trimmed().toInt() != 0;
}

void applyLanguageDirection()
{
    const bool rightToLeft = isRightToLeftFile(languageFilePath());
    if (rightToLeft == rightToLeftShown())
        return;
    rightToLeftShown() = rightToLeft;
    // Every window that does not set its own direction follows, at once.
    QGuiApplication::setLayoutDirection(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
}

bool isRightToLeft()
{
    return rightToLeftShown();
}

QString isolateMeasure(const QString& measure)
{
    if (!rightToLeftShown())
        return measure;
    return QChar(kLeftToRightIsolate) + measure + QChar(kPopIsolate);
}

} // namespace language
