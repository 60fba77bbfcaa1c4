#include "exercises/levels/LevelSection.h"

#include <gtest/gtest.h>

using namespace exercises;

namespace {

struct RewriteCase {
    const char* name;
    const char* before;
    const char* section;
    QList<SectionKey> keys;
    const char* after;
};

const QString kMin = QStringLiteral("Min");
const QString kMax = QStringLiteral("Max");
const QString kStep = QStringLiteral("Step");

} // namespace

TEST(LevelSectionRewrite, ChangesOnlyTheSectionsKeys)
{
    const RewriteCase cases[] = {
        {"absent section added after a blank line", "[Program]\nLanguage=English\n", "frmRuota1",
         {{kMin, "20"}, {kMax, ""}}, "[Program]\nLanguage=English\n\n[frmRuota1]\nMin=20\n"},
        {"absent section in an empty file", "", "frmRuota1", {{kMin, "20"}}, "[frmRuota1]\nMin=20\n"},
        {"absent section with nothing to set leaves the text", "; only a comment", "frmRuota1", {{kMin, ""}},
         "; only a comment"},
        {"present key changed, others and comments kept",
         "; school\n[frmRuota1]\n; tens\nLevel=tens\nMin=20\n\n[frmRuota4]\nMin=30\n", "frmRuota1",
         {{kMin, "40"}}, "; school\n[frmRuota1]\n; tens\nLevel=tens\nMin=40\n\n[frmRuota4]\nMin=30\n"},
        {"key back to default removed, section matched without case",
         "[FRMRUOTA1]\nmin = 20\nMax=90\n[frmRuota2]\nMax=90\n", "frmRuota1", {{kMin, ""}, {kMax, "100"}},
         "[FRMRUOTA1]\nMax=100\n[frmRuota2]\nMax=90\n"},
        {"missing key added after the last filled line, before the blank",
         "[frmRuota1]\nMin=20\n\n[frmRuota2]\nStep=5\n", "frmRuota1", {{kStep, "5"}},
         "[frmRuota1]\nMin=20\nStep=5\n\n[frmRuota2]\nStep=5\n"},
        {"CRLF kept on old and new lines", "[Program]\r\nA=1\r\n[frmRuota1]\r\nMin=20\r\n", "frmRuota1",
         {{kMin, "30"}, {kMax, "90"}}, "[Program]\r\nA=1\r\n[frmRuota1]\r\nMin=30\r\nMax=90\r\n"},
        {"CRLF section added", "[Program]\r\nA=1\r\n", "frmRuota4", {{kMin, "30"}},
         "[Program]\r\nA=1\r\n\r\n[frmRuota4]\r\nMin=30\r\n"},
        {"last line without a line end", "[frmRuota1]\nMin=20", "frmRuota1", {{kMax, "90"}},
         "[frmRuota1]\nMin=20\nMax=90"},
        {"a key given twice is written once", "[frmRuota1]\nMin=20\nMin=25\n", "frmRuota1", {{kMin, "30"}},
         "[frmRuota1]\nMin=30\n"},
        {"same name in a later section untouched", "[frmRuota1a]\nMin=5\n[frmRuota1]\n", "frmRuota1",
         {{kMin, "30"}}, "[frmRuota1a]\nMin=5\n[frmRuota1]\nMin=30\n"},
    };
    for (const RewriteCase& c : cases) {
        EXPECT_EQ(rewriteSection(QString::fromUtf8(c.before), QString::fromUtf8(c.section), c.keys).toStdString(),
                  std::string(c.after))
            << c.name;
    }
}

TEST(LevelSectionRewrite, KeysOfALevelReadBackAsThatLevel)
{
    struct Case {
        QString window;
        QString base;
        std::function<void(Level&)> change;
    };
    const Case cases[] = {
        {"frmRuota1", "default", [](Level& l) { l.min = 30; l.upright = true; }},
        {"frmRuota1", "tens", [](Level& l) { l.questions = 5; }},
        {"frmRuota", "default", [](Level& l) { l.steps = {10, 5}; l.min = 10; l.max = 350; l.step = 5; }},
        {"frmRuota3", "round", [](Level& l) { l.minDifference = 20; }},
        {"frmRuota4", "default", [](Level& l) { l.minDistance = 30; }},
        {"frmRuota7", "upright", [](Level& l) { l.tolerance = 5; }},
    };
    for (const Case& c : cases) {
        Level level = *builtInLevel(c.window, c.base);
        c.change(level);
        const QList<SectionKey> keys = levelSectionKeys(c.window, c.base, level);
        const QString text = rewriteSection(QStringLiteral("[Program]\nX=1\n"), c.window, keys);
        const LevelBook book = readLevelBook(QStringLiteral("t.conf"), text.toUtf8());
        EXPECT_TRUE(book.problems.isEmpty()) << book.problems.join(u'\n').toStdString();
        EXPECT_EQ(book.levelOf(c.window), level) << c.window.toStdString() << " " << c.base.toStdString();
        // Back to the plain default: the section is left with no key.
        const QString cleared = rewriteSection(text, c.window, levelSectionKeys(c.window, "default",
                                                                                defaultLevel(c.window)));
        EXPECT_EQ(cleared, QStringLiteral("[Program]\nX=1\n\n[%1]\n").arg(c.window));
    }
}
