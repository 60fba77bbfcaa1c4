#include "exercises/RightAngleSet.h"
#include "exercises/levels/Level.h"
#include "exercises/levels/LevelDraws.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <set>

using namespace exercises;

namespace {

// A level of the window with the given keys changed, read as a teacher writes them.
Level levelFrom(const QString& window, const QByteArray& keys)
{
    const LevelBook book = readLevelBook(QStringLiteral("test.conf"), "[" + window.toLatin1() + "]\n" + keys);
    EXPECT_TRUE(book.problems.isEmpty()) << book.problems.join(u'\n').toStdString();
    return book.levelOf(window);
}

std::set<int> range(int from, int to, int step = 1)
{
    std::set<int> sizes;
    for (int s = from; s <= to; s += step)
        sizes.insert(s);
    return sizes;
}

std::set<int> unite(std::set<int> a, const std::set<int>& b)
{
    a.insert(b.begin(), b.end());
    return a;
}

// The sizes and first-arm directions one question of the window shows.
struct Drawn {
    QList<int> sizes;
    QList<int> starts;
};

Drawn drawOnce(const QString& window, const RandomDraw& next, const Level& level)
{
    const auto one = [](const AngleQuestion& q) { return Drawn{{q.size}, {q.startDegrees}}; };
    if (window == "frmRuota")
        return one(buildQuestion(next, level));
    if (window == "frmRuota1")
        return one(classifyQuestion(next, level));
    if (window == "frmRuota1a")
        return one(measureQuestion(next, level));
    if (window == "frmRuota2")
        return one(concaveConvexQuestion(next, level));
    if (window == "frmRuota3") {
        const AnglePair pair = comparePair(next, level);
        EXPECT_GE(std::abs(pair.left - pair.right), level.minDifference) << pair.left << " " << pair.right;
        return {{pair.left, pair.right}, {0, 0}};
    }
    if (window == "frmRuota4") {
        RightAngleSet set(next, level);
        Drawn drawn;
        for (int box = 1; box <= kAngleBoxCount; ++box) {
            const BoxAngle angle = set.choose(box);
            if (box != set.rightBox())
                drawn.sizes.append(angle.size);
            else
                EXPECT_EQ(angle.size, 90);
            drawn.starts.append(angle.start);
        }
        return drawn;
    }
    if (window == "frmRuota7")
        return one(estimateQuestion(next, level));
    return one(givenAngleQuestion(next, level)); // frmRuota5, 6, 8
}

struct Reach {
    const char* window;
    QByteArray keys;        // as in the settings file
    std::set<int> sizes;    // every size it can draw, and no other
};

TEST(LevelDraws, EveryLevelDrawsEachOfItsSizesAndNoOther)
{
    // Find the right angle: the others never show 90, their substitutes instead.
    std::set<int> findRightDefaultOthers = unite(range(30, 360, 30), {40, 170});
    findRightDefaultOthers.erase(90);
    const std::set<int> farFromRight = unite(range(10, 50, 10), range(130, 180, 10));
    const Reach rows[] = {
        {"frmRuota", "", range(0, 359)},
        {"frmRuota", "Min=0\nMax=90\nStep=45\nSteps=90,45", {0, 45, 90}},
        {"frmRuota1", "", range(15, 180, 15)},
        {"frmRuota1", "Level=tens", range(20, 180, 10)},
        {"frmRuota1", "Min=30\nMax=100\nStep=30\nUpright=1", {30, 60, 90}},
        {"frmRuota1a", "", range(1, 360)},
        {"frmRuota1a", "Min=10\nMax=100\nStep=45", {10, 55, 100}},
        {"frmRuota2", "", unite(range(10, 170, 10), range(190, 350, 10))},
        {"frmRuota2", "Min=100\nMax=260\nStep=20", {100, 120, 140, 160, 200, 220, 240, 260}},
        {"frmRuota2", "Min=10\nMax=90\nStep=40", {10, 50, 90}},
        {"frmRuota3", "", range(10, 360, 10)},
        {"frmRuota3", "Min=10\nMax=100\nMinDifference=50", range(10, 100, 10)},
        {"frmRuota4", "", findRightDefaultOthers},
        {"frmRuota4", "Min=10\nMax=180\nStep=10\nMinDistance=40", farFromRight},
        {"frmRuota5", "", range(1, 90)},
        {"frmRuota5", "Min=20\nMax=70\nStep=25", {20, 45, 70}},
        {"frmRuota6", "Level=tens", range(10, 180, 10)},
        {"frmRuota7", "", range(1, 359)},
        {"frmRuota7", "Min=40\nMax=50\nStep=5\nUpright=1", {40, 45, 50}},
        {"frmRuota8", "", range(1, 180)},
    };
    for (const Reach& row : rows) {
        const QString window = QString::fromLatin1(row.window);
        const Level level = levelFrom(window, row.keys);
        std::mt19937_64 engine(std::hash<std::string>{}(std::string(row.window) + row.keys.toStdString()));
        std::uniform_real_distribution<double> uniform(0.0, 1.0);
        const RandomDraw next = [&] { return uniform(engine); };
        std::set<int> sizes;
        std::set<int> starts;
        // Enough questions to reach every size and every direction many times over.
        const int questions = std::max(1500, 30 * int(row.sizes.size()));
        for (int i = 0; i < questions; ++i) {
            const Drawn drawn = drawOnce(window, next, level);
            sizes.insert(drawn.sizes.begin(), drawn.sizes.end());
            starts.insert(drawn.starts.begin(), drawn.starts.end());
        }
        EXPECT_EQ(sizes, row.sizes) << row.window << " " << row.keys.toStdString();
        if (level.upright)
            EXPECT_EQ(starts, std::set<int>{0}) << row.window << " " << row.keys.toStdString();
        else {
            // Any direction, every one of them likely.
            EXPECT_TRUE(*starts.begin() >= 0 && *starts.rbegin() <= 359) << row.window;
            EXPECT_GT(starts.size(), 300u) << row.window << " " << row.keys.toStdString();
        }
    }
}

TEST(LevelDraws, AnUprightLevelTakesNoNumberForTheFirstArm)
{
    int taken = 0;
    const RandomDraw next = [&] {
        ++taken;
        return 0.5;
    };
    Level level = defaultLevel(QStringLiteral("frmRuota8"));
    givenAngleQuestion(next, level);
    EXPECT_EQ(taken, 2);
    level.upright = true;
    taken = 0;
    const AngleQuestion q = givenAngleQuestion(next, level);
    EXPECT_EQ(taken, 1);
    EXPECT_EQ(q, (AngleQuestion{0, 91}));
}

TEST(Levels, EveryBuiltInLevelOfEveryExerciseIsValid)
{
    for (const QString& window : levelWindows()) {
        for (const QString& name : builtInLevelNames()) {
            const std::optional<Level> level = builtInLevel(window, name);
            ASSERT_TRUE(level) << window.toStdString() << " " << name.toStdString();
            EXPECT_EQ(levelProblem(window, *level), std::nullopt) << window.toStdString() << " " << name.toStdString();
        }
    }
    EXPECT_EQ(builtInLevel(QStringLiteral("frmRuota1"), QStringLiteral("hard")), std::nullopt);
    EXPECT_EQ(builtInLevel(QStringLiteral("FormMenu"), QStringLiteral("default")), std::nullopt);
}

TEST(Levels, ASectionStartsFromItsNamedLevelAndOverridesKeyByKey)
{
    const Level level = levelFrom(QStringLiteral("frmRuota1"), "Min=30\nLevel=tens\nQuestions=5\n");
    EXPECT_EQ(level.min, 30);
    EXPECT_EQ(level.max, 180);
    EXPECT_EQ(level.step, 10);
    EXPECT_EQ(level.questions, 5);

    // The run's level wins over the file.
    const LevelBook book = readLevelBook(QStringLiteral("x"), "[frmRuota1]\nMin=30\n", QStringLiteral("upright"));
    Level upright = defaultLevel(QStringLiteral("frmRuota1"));
    upright.upright = true;
    EXPECT_EQ(book.levelOf(QStringLiteral("frmRuota1")), upright);
    EXPECT_TRUE(book.problems.isEmpty());

    // Other sections and a section not named exactly in the same case.
    const LevelBook other = readLevelBook(QStringLiteral("x"),
                                          "[Program]\nLocked=1\nTeacherPasswordHash=$argon2id$x\n"
                                          "; a comment\n[FRMRUOTA5]\r\nMax=\"45\"\r\n");
    EXPECT_TRUE(other.problems.isEmpty()) << other.problems.join(u'\n').toStdString();
    EXPECT_EQ(other.levelOf(QStringLiteral("frmRuota5")).max, 45);
}

struct BadFile {
    const char* what;
    QByteArray file;
    const char* window;
    QString problem; // the one line, after "levels.conf:"
};

TEST(Levels, ABadSectionIsRefusedInOneLineAndItsExerciseKeepsItsDefault)
{
    const BadFile rows[] = {
        {"inverted", "[frmRuota1]\nMin=100\nMax=50\n", "frmRuota1", "1: [frmRuota1] Min=100 is larger than Max=50"},
        {"out of range", "\n[frmRuota1]\nMax=400\n", "frmRuota1", "2: [frmRuota1] the sizes must lie between 1° and 180°"},
        {"step larger than the range", "[frmRuota5]\nMin=10\nMax=20\nStep=30\n", "frmRuota5",
         "1: [frmRuota5] Step=30 is larger than the range 10 to 20"},
        {"no right angle", "[frmRuota4]\nMin=100\n", "frmRuota4",
         "1: [frmRuota4] no right angle can be shown: 90° is outside 100 to 360"},
        {"only near-right angles", "[frmRuota4]\nMin=80\nMax=100\nStep=10\nMinDistance=20\n", "frmRuota4",
         "1: [frmRuota4] every size is within 20° of a right angle"},
        {"only a straight angle", "[frmRuota2]\nMin=180\nMax=180\n", "frmRuota2",
         "1: [frmRuota2] a straight angle is neither concave nor convex"},
        {"unbuildable", "[frmRuota]\nSteps=90,45\n", "frmRuota", "1: [frmRuota] the step buttons cannot build 1°"},
        {"no partner", "[frmRuota3]\nMinDifference=300\n", "frmRuota3",
         "1: [frmRuota3] no second angle differs from 70° by 300° or more"},
        {"unknown key", "[frmRuota1]\nMin=15\nColour=red\n", "frmRuota1", "3: [frmRuota1] unknown key \"Colour\""},
        {"another exercise's knob", "[frmRuota1]\nMinDistance=5\n", "frmRuota1",
         "2: [frmRuota1] unknown key \"MinDistance\""},
        {"not a number", "[frmRuota8]\nMax=ninety\n", "frmRuota8",
         "2: [frmRuota8] Max= must be a whole number of degrees, not \"ninety\""},
        {"Windows-1252", "[frmRuota8]\r\nMin=10\xb0\r\n", "frmRuota8",
         "2: [frmRuota8] Min= must be a whole number of degrees, not \"10°\""},
        {"upright", "[frmRuota8]\nUpright=yes\n", "frmRuota8", "2: [frmRuota8] Upright= must be 0 or 1, not \"yes\""},
        {"unknown level", "[frmRuota8]\nLevel=hard\n", "frmRuota8",
         "2: [frmRuota8] unknown level \"hard\" (valid: default, tens, upright, round)"},
        {"negative round", "[frmRuota8]\nQuestions=-1\n", "frmRuota8", "1: [frmRuota8] Questions must be 0 to 1000"},
        {"twice", "[frmRuota8]\nMax=90\nmax=80\n", "frmRuota8", "3: [frmRuota8] max= is given twice"},
        {"bad steps", "[frmRuota]\nSteps=90,7\n", "frmRuota",
         "2: [frmRuota] Steps= takes some of 90, 45, 30, 10, 5, 1, not \"90,7\""},
        {"no steps", "[frmRuota]\nSteps=\n", "frmRuota", "1: [frmRuota] no step button is offered"},
        {"tolerance", "[frmRuota7]\nTolerance=200\n", "frmRuota7", "1: [frmRuota7] Tolerance must be 0 to 180"},
    };
    for (const BadFile& row : rows) {
        const LevelBook book = readLevelBook(QStringLiteral("levels.conf"), row.file);
        const QString window = QString::fromLatin1(row.window);
        ASSERT_EQ(book.problems.size(), 1) << row.what;
        EXPECT_EQ(book.problems[0],
                  QStringLiteral("levels.conf:") + row.problem + QStringLiteral("; the exercise uses its default level."))
            << row.what;
        EXPECT_FALSE(book.problems[0].contains(u'\n')) << row.what;
        EXPECT_EQ(book.levelOf(window), defaultLevel(window)) << row.what;
    }
}

TEST(Levels, AFileInWindows1252IsReadAndOneBadSectionLeavesTheOthersTheirLevel)
{
    const QByteArray file = "; Livelli della classe quarta \xe8 \xb0\r\n"
                            "[frmRuota1]\r\nLevel=tens\r\n"
                            "[frmRuota5]\r\nMin=95\r\n"
                            "[frmRuota5]\r\nMin=5\r\n";
    const LevelBook book = readLevelBook(QStringLiteral("/etc/gonioma/gonioma.conf"), file);
    EXPECT_EQ(book.levelOf(QStringLiteral("frmRuota1")), *builtInLevel(QStringLiteral("frmRuota1"), QStringLiteral("tens")));
    EXPECT_EQ(book.levelOf(QStringLiteral("frmRuota5")), defaultLevel(QStringLiteral("frmRuota5")));
    ASSERT_EQ(book.problems.size(), 2);
    EXPECT_TRUE(book.problems[0].startsWith(QStringLiteral("/etc/gonioma/gonioma.conf:4: [frmRuota5] the sizes")));
    EXPECT_EQ(book.problems[1],
              QStringLiteral("/etc/gonioma/gonioma.conf:6: [frmRuota5] the section is given twice; the second is not used."));
}

} // namespace
