#include "exercises/levels/Level.h"

#include "language/IniFile.h"

#include <QSet>

#include <algorithm>
#include <functional>
#include <limits>
#include <variant>

namespace exercises {

namespace {

const QString kBuild = QStringLiteral("frmRuota");
const QString kClassify = QStringLiteral("frmRuota1");
const QString kClassifyByMeasure = QStringLiteral("frmRuota1a");
const QString kConcaveConvex = QStringLiteral("frmRuota2");
const QString kCompare = QStringLiteral("frmRuota3");
const QString kFindRight = QStringLiteral("frmRuota4");
const QString kComplementary = QStringLiteral("frmRuota5");
const QString kSupplementary = QStringLiteral("frmRuota6");
const QString kEstimate = QStringLiteral("frmRuota7");
const QString kProtractor = QStringLiteral("frmRuota8");

const QList<int> kAllSteps = {90, 45, 30, 10, 5, 1};
constexpr int kMaxQuestions = 1000;

// What sets one exercise's levels apart: its default, the sizes a question
// of it may have at all, and the key of its own knob, if any.
struct LevelRules {
    Level defaults;
    int lowest = 1;
    int highest = 360;
    QString ownKey;
};

LevelRules rulesFor(const QString& window)
{
    const auto level = [](int min, int max, int step) {
        Level l;
        l.min = min;
        l.max = max;
        l.step = step;
        return l;
    };
    if (window == kBuild) {
        LevelRules r{level(0, 359, 1), 0, 360, QStringLiteral("Steps")};
        r.defaults.steps = kAllSteps;
        return r;
    }
    if (window == kClassify)
        return {level(15, 180, 15), 1, 180, {}};
    if (window == kClassifyByMeasure)
        return {level(1, 360, 1), 1, 360, {}};
    if (window == kConcaveConvex)
        return {level(10, 350, 10), 1, 359, {}};
    if (window == kCompare) {
        // Both angles always open from straight up.
        LevelRules r{level(10, 360, 10), 1, 360, QStringLiteral("MinDifference")};
        r.defaults.upright = true;
        return r;
    }
    if (window == kFindRight)
        return {level(30, 360, 30), 1, 360, QStringLiteral("MinDistance")};
    if (window == kComplementary)
        return {level(1, 90, 1), 1, 90, {}};
    if (window == kSupplementary)
        return {level(1, 180, 1), 1, 180, {}};
    if (window == kEstimate)
        return {level(1, 359, 1), 1, 359, QStringLiteral("Tolerance")};
    if (window == kProtractor)
        return {level(1, 180, 1), 1, 180, {}};
    return {};
}

QString degrees(int value)
{
    return QString::number(value) + QChar(0x00B0);
}

// Whether every angle of the list can be built from nothing with the step
// buttons, turning either way and never below nothing or past a full turn.
std::optional<int> firstUnbuildable(const QList<int>& targets, const QList<int>& steps)
{
    QList<bool> reached(361, false);
    QList<int> queue = {0};
    reached[0] = true;
    while (!queue.isEmpty()) {
        const int at = queue.takeLast();
        for (int step : steps) {
            for (int next : {at + step, at - step}) {
                if (next >= 0 && next <= 360 && !reached[next]) {
                    reached[next] = true;
                    queue.append(next);
                }
            }
        }
    }
    for (int target : targets) {
        if (!reached[target])
            return target;
    }
    return std::nullopt;
}

} // namespace

QStringList levelWindows()
{
    return {kBuild, kCompare, kFindRight, kClassify, kConcaveConvex, kComplementary, kSupplementary,
            kClassifyByMeasure, kEstimate, kProtractor};
}

Level defaultLevel(const QString& window)
{
    return rulesFor(window).defaults;
}

QStringList builtInLevelNames()
{
    return {QStringLiteral("default"), QStringLiteral("tens"), QStringLiteral("upright"), QStringLiteral("round")};
}

std::optional<Level> builtInLevel(const QString& window, const QString& name)
{
    if (!levelWindows().contains(window))
        return std::nullopt;
    Level level = defaultLevel(window);
    if (name == QLatin1String("default"))
        return level;
    if (name == QLatin1String("tens")) {
        // Multiples of 10 inside the exercise's own range.
        level.min = std::max(10, (level.min + 9) / 10 * 10);
        level.max = level.max / 10 * 10;
        level.step = 10;
        return level;
    }
    if (name == QLatin1String("upright")) {
        level.upright = true;
        return level;
    }
    if (name == QLatin1String("round")) {
        level.questions = 10;
        return level;
    }
    return std::nullopt;
}

QList<int> gridSizes(const Level& level)
{
    QList<int> sizes;
    if (level.step <= 0)
        return sizes;
    for (int size = level.min; size <= level.max; size += level.step)
        sizes.append(size);
    return sizes;
}

std::optional<QString> levelProblem(const QString& window, const Level& level)
{
    const LevelRules rules = rulesFor(window);
    const auto outside = [&](int size) { return size < rules.lowest || size > rules.highest; };
    if (outside(level.min) || outside(level.max)) {
        return QStringLiteral("the sizes must lie between %1 and %2")
            .arg(degrees(rules.lowest), degrees(rules.highest));
    }
    if (level.min > level.max)
        return QStringLiteral("Min=%1 is larger than Max=%2").arg(level.min).arg(level.max);
    if (level.step < 1 || level.step > 360)
        return QStringLiteral("Step must be 1 to 360");
    if (level.min < level.max && level.step > level.max - level.min) {
        return QStringLiteral("Step=%1 is larger than the range %2 to %3")
            .arg(level.step)
            .arg(level.min)
            .arg(level.max);
    }
    if (level.questions < 0 || level.questions > kMaxQuestions)
        return QStringLiteral("Questions must be 0 to %1").arg(kMaxQuestions);
    const QList<int> sizes = gridSizes(level);

    if (window == kBuild) {
        if (level.steps.isEmpty())
            return QStringLiteral("no step button is offered");
        if (const std::optional<int> size = firstUnbuildable(sizes, level.steps))
            return QStringLiteral("the step buttons cannot build %1").arg(degrees(*size));
    } else if (window == kConcaveConvex) {
        if (std::all_of(sizes.begin(), sizes.end(), [](int s) { return s == 180; }))
            return QStringLiteral("a straight angle is neither concave nor convex");
    } else if (window == kCompare) {
        if (level.minDifference < 0 || level.minDifference > 359)
            return QStringLiteral("MinDifference must be 0 to 359");
        for (int first : sizes) {
            const bool partner = std::any_of(sizes.begin(), sizes.end(), [&](int second) {
                return std::abs(first - second) >= level.minDifference;
            });
            if (!partner) {
                return QStringLiteral("no second angle differs from %1 by %2 or more")
                    .arg(degrees(first), degrees(level.minDifference));
            }
        }
    } else if (window == kFindRight) {
        if (level.minDistance < 1 || level.minDistance > 270)
            return QStringLiteral("MinDistance must be 1 to 270");
        if (level.min > 90 || level.max < 90)
            return QStringLiteral("no right angle can be shown: 90%1 is outside %2 to %3")
                .arg(QChar(0x00B0))
                .arg(level.min)
                .arg(level.max);
        if (std::none_of(sizes.begin(), sizes.end(), [&](int s) { return std::abs(s - 90) >= level.minDistance; }))
            return QStringLiteral("every size is within %1 of a right angle").arg(degrees(level.minDistance));
    } else if (window == kEstimate) {
        if (level.tolerance < 0 || level.tolerance > 180)
            return QStringLiteral("Tolerance must be 0 to 180");
    }
    return std::nullopt;
}

Level LevelBook::levelOf(const QString& window) const
{
    return levels.value(window, defaultLevel(window));
}

namespace {

// Reads a whole number of plain digits, with an optional minus sign and the
// quotes a value may stand in.
std::optional<int> wholeNumber(QString text)
{
    text = text.trimmed();
    if (text.size() >= 2 && text.startsWith(u'"') && text.endsWith(u'"'))
        text = text.mid(1, text.size() - 2).trimmed();
    if (text.isEmpty() || text.size() > 9)
        return std::nullopt;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (!(c >= u'0' && c <= u'9') && !(i == 0 && c == u'-' && text.size() > 1))
            return std::nullopt;
    }
    return text.toInt();
}

QString unquoted(QString text)
{
    text = text.trimmed();
    if (text.size() >= 2 && text.startsWith(u'"') && text.endsWith(u'"'))
        text = text.mid(1, text.size() - 2).trimmed();
    return text;
}

// One exercise's section as it is read: where it starts, its keys with their
// lines, and the first fault met.
struct SectionReading {
    QString window;
    int headerLine = 0;
    QList<std::pair<QString, std::pair<QString, int>>> keys; // key, (value, line)
};

struct Refusal {
    int line;
    QString why;
};

// The level a section sets, or why it is refused.
std::variant<Level, Refusal> levelOfSection(const SectionReading& section)
{
    const LevelRules rules = rulesFor(section.window);
    QSet<QString> seen;
    // Level= first, wherever it stands: the other keys override it.
    Level level = rules.defaults;
    for (const auto& [key, valueAndLine] : section.keys) {
        if (key.compare(QLatin1String("Level"), Qt::CaseInsensitive) != 0)
            continue;
        const QString name = unquoted(valueAndLine.first);
        const std::optional<Level> named = builtInLevel(section.window, name);
        if (!named) {
            return Refusal{valueAndLine.second, QStringLiteral("unknown level \"%1\" (valid: %2)")
                                                     .arg(name, builtInLevelNames().join(QStringLiteral(", ")))};
        }
        level = *named;
    }
    // The whole-number keys: those of every exercise, then the exercises' own.
    struct IntKey {
        const char* name;
        int* field;
        bool everyExercise;
    };
    const IntKey intKeys[] = {{"min", &level.min, true},
                              {"max", &level.max, true},
                              {"step", &level.step, true},
                              {"questions", &level.questions, true},
                              {"mindifference", &level.minDifference, false},
                              {"mindistance", &level.minDistance, false},
                              {"tolerance", &level.tolerance, false}};
    for (const auto& [key, valueAndLine] : section.keys) {
        const auto& [value, line] = valueAndLine;
        const QString folded = key.toLower();
        if (seen.contains(folded))
            return Refusal{line, QStringLiteral("%1= is given twice").arg(key)};
        seen.insert(folded);
        if (folded == QLatin1String("level"))
            continue;
        if (folded == QLatin1String("upright")) {
            const std::optional<int> number = wholeNumber(value);
            if (!number || (*number != 0 && *number != 1))
                return Refusal{line, QStringLiteral("Upright= must be 0 or 1, not \"%1\"").arg(value.trimmed())};
            level.upright = *number == 1 || rules.defaults.upright;
            continue;
        }
        const bool own = !rules.ownKey.isEmpty() && folded == rules.ownKey.toLower();
        if (own && folded == QLatin1String("steps")) {
            QList<int> steps;
            for (const QString& part : unquoted(value).split(u',', Qt::SkipEmptyParts)) {
                const std::optional<int> step = wholeNumber(part);
                if (!step || !kAllSteps.contains(*step) || steps.contains(*step)) {
                    return Refusal{line, QStringLiteral("Steps= takes some of 90, 45, 30, 10, 5, 1, not \"%1\"")
                                             .arg(value.trimmed())};
                }
                steps.append(*step);
            }
            level.steps = steps;
            continue;
        }
        const IntKey* match = nullptr;
        for (const IntKey& k : intKeys) {
            if (folded == QLatin1String(k.name) && (k.everyExercise || own))
                match = &k;
        }
        if (!match)
            return Refusal{line, QStringLiteral("unknown key \"%1\"").arg(key)};
        const std::optional<int> number = wholeNumber(value);
        if (!number) {
            return Refusal{line, QStringLiteral("%1= must be a whole number of degrees, not \"%2\"")
                                     .arg(key, value.trimmed())};
        }
        *match->field = *number;
    }
    if (const std::optional<QString> problem = levelProblem(section.window, level))
        return Refusal{section.headerLine, *problem};
    return level;
}

} // namespace

LevelBook readLevelBook(const QString& path, const QByteArray& bytes, const QString& runLevel)
{
    LevelBook book;
    const QStringList windows = levelWindows();
    if (!runLevel.isEmpty()) {
        for (const QString& window : windows) {
            if (const std::optional<Level> level = builtInLevel(window, runLevel))
                book.levels.insert(window, *level);
        }
        return book;
    }

    const QString text = language::decodeText(bytes);
    QList<SectionReading> sections;
    SectionReading* current = nullptr;
    const QStringList lines = text.split(u'\n');
    for (int i = 0; i < lines.size(); ++i) {
        QString line = lines[i];
        if (line.endsWith(u'\r'))
            line.chop(1);
        line = line.trimmed();
        if (i == 0 && line.startsWith(QChar(0xFEFF)))
            line.remove(0, 1);
        if (line.isEmpty() || line.startsWith(u';') || line.startsWith(u'#'))
            continue;
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            const QString name = line.mid(1, line.size() - 2).trimmed();
            current = nullptr;
            for (const QString& window : windows) {
                if (window.compare(name, Qt::CaseInsensitive) == 0) {
                    sections.append({window, i + 1, {}});
                    current = &sections.last();
                }
            }
            continue;
        }
        if (!current)
            continue;
        const qsizetype equals = line.indexOf(u'=');
        const QString key = equals < 0 ? line : line.left(equals).trimmed();
        const QString value = equals < 0 ? QString() : line.mid(equals + 1);
        current->keys.append({key, {value, i + 1}});
    }

    QSet<QString> done;
    for (const SectionReading& section : sections) {
        if (done.contains(section.window)) {
            book.problems.append(QStringLiteral("%1:%2: [%3] the section is given twice; the second is not used.")
                                     .arg(path)
                                     .arg(section.headerLine)
                                     .arg(section.window));
            continue;
        }
        done.insert(section.window);
        const std::variant<Level, Refusal> result = levelOfSection(section);
        if (const Level* level = std::get_if<Level>(&result)) {
            book.levels.insert(section.window, *level);
            continue;
        }
        const Refusal& refusal = std::get<Refusal>(result);
        book.problems.append(QStringLiteral("%1:%2: [%3] %4; the exercise uses its default level.")
                                 .arg(path)
                                 .arg(refusal.line)
                                 .arg(section.window, refusal.why));
    }
    return book;
}

} // namespace exercises
