#include "exercises/levels/LevelSettings.h"

#include "platform/services/Settings.h"

#include <QFile>
#include <QSet>

#include <cstdio>

namespace exercises {

namespace {
struct State {
    QString runLevel;
    QStringList problems;
    QSet<QString> told;
};

State& state()
{
    static State s;
    return s;
}
} // namespace

Level levelFor(const QString& window)
{
    State& s = state();
    const QString path = platform::schoolSettingsPath();
    QByteArray bytes;
    if (s.runLevel.isEmpty()) {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly))
            bytes = file.readAll();
    }
    const LevelBook book = readLevelBook(path, bytes, s.runLevel);
    s.problems = book.problems;
    for (const QString& problem : book.problems) {
        if (s.told.contains(problem))
            continue;
        s.told.insert(problem);
        std::fprintf(stderr, "gonioma: %s\n", qUtf8Printable(problem));
    }
    return book.levelOf(window);
}

QStringList levelProblems()
{
    levelFor(QString());
    return state().problems;
}

void useLevelForThisRun(const QString& name)
{
    state().runLevel = name;
}

} // namespace exercises
