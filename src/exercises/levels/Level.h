#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// What a teacher sets for an exercise: which sizes its questions may take,
// whether the first arm may point anywhere, how long a round is, and the
// exercise's own knob where it has one. Pure: no window, no file.
namespace exercises {

struct Level {
    int min = 0;            // the smallest size asked (degrees)
    int max = 0;            // the largest
    int step = 1;           // sizes go from min by this many degrees
    bool upright = false;   // the first arm only straight up
    int questions = 0;      // a round's length; 0: endless
    // Build the angle: the step buttons offered, from the six 90, 45, 30, 10, 5, 1.
    QList<int> steps;
    // Compare two angles: the two sizes differ by at least this much (0: they may be equal).
    int minDifference = 0;
    // Find the right angle: the other angles differ from 90 degrees by at least this much.
    int minDistance = 1;
    // Estimate the angle: how far an estimate may be from the size and still be right.
    int tolerance = 15;

    bool operator==(const Level&) const = default;
};

// The window names that have levels, in menu order.
QStringList levelWindows();

// The exercise's own level: exactly the questions it always asked.
Level defaultLevel(const QString& window);

// The named levels every exercise has, "default" first.
QStringList builtInLevelNames();
// The named level of that exercise; nothing for an unknown name or window.
std::optional<Level> builtInLevel(const QString& window, const QString& name);

// Why the level cannot ask only questions that can be answered right, in one
// short phrase; nothing when it can.
std::optional<QString> levelProblem(const QString& window, const Level& level);

// The sizes on the level's grid: min, min + step, ... up to max.
QList<int> gridSizes(const Level& level);

// What a settings file gives: a level for each exercise (its default where
// the file says nothing or something wrong) and one line per refused section.
struct LevelBook {
    QHash<QString, Level> levels;
    QStringList problems;

    Level levelOf(const QString& window) const;
};

// Reads the exercises' sections of a settings file (UTF-8, else
// Windows-1252). `path` only names the file in the problems. A section starts
// from Level= (a built-in name, "default" without it) and each key overrides
// one value. With `runLevel` set, every exercise takes that built-in level and
// the file's sections are not used.
LevelBook readLevelBook(const QString& path, const QByteArray& bytes, const QString& runLevel = QString());

} // namespace exercises
