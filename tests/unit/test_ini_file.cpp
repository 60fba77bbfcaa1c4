#include "language/IniFile.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

using language::findIniValue;
using language::ReadIniString;
using language::WriteIniString;

namespace {

class IniFileTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return dir.filePath(name); }

    QString write(const QString& name, const QByteArray& bytes) const
    {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path(name);
    }

    QByteArray bytesOf(const QString& name) const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir;
};

// --- Reading decoded text ---------------------------------------------------

TEST(IniParse, SectionsAndKeysMatchCaseInsensitivelyAndPerSection)
{
    const QString text = "[FormMenu]\nCommand1.Caption=\"Esci\"\n"
                         "[frmRuota]\nCommand1.Caption=\"avanti\"\nLabel1.Caption=x\n";
    EXPECT_EQ(findIniValue(text, u"FormMenu", u"Command1.Caption"), "Esci");
    EXPECT_EQ(findIniValue(text, u"frmRuota", u"Command1.Caption"), "avanti");
    EXPECT_EQ(findIniValue(text, u"FORMMENU", u"command1.caption"), "Esci");
    EXPECT_EQ(findIniValue(text, u"FormMenu", u"Label1.Caption"), "");
    EXPECT_EQ(findIniValue(text, u"Strings", u"0001"), "");
    EXPECT_EQ(findIniValue(text, u"FormMenu", u"Command1"), "");
}

TEST(IniParse, BlanksAndOneQuotePairAreStripped)
{
    const QString text = " \t[ Strings ]\t\n"
                         "  0001 \t=  \"  inside kept  \"  \n"
                         "0002='single'\n"
                         "0003=\"mismatched'\n"
                         "0004=\"\n"
                         "0005=\"\"\n"
                         "0006=\"\"twice\"\"\n"
                         "0007=  plain text  \n"
                         "0008=a=b\n";
    EXPECT_EQ(findIniValue(text, u"Strings", u"0001"), "  inside kept  ");
    EXPECT_EQ(findIniValue(text, u"Strings", u"0002"), "single");
    EXPECT_EQ(findIniValue(text, u"Strings", u"0003"), "\"mismatched'");
    EXPECT_EQ(findIniValue(text, u"Strings", u"0004"), "\"");
    EXPECT_EQ(findIniValue(text, u"Strings", u"0005"), "");
    EXPECT_EQ(findIniValue(text, u"Strings", u"0006"), "\"twice\"");
    EXPECT_EQ(findIniValue(text, u"Strings", u"0007"), "plain text");
    EXPECT_EQ(findIniValue(text, u"Strings", u"0008"), "a=b");
}

TEST(IniParse, CommentsLinesBeforeFirstSectionAndLinesWithoutEqualsAreNoKeys)
{
    const QString text = "0001=before any section\n"
                         "[Strings]\n"
                         "; 0002=commented\n"
                         "  ;0003=commented too\n"
                         "0004\n"
                         "0004=after a bare name\n"
                         "[Empty]\n";
    EXPECT_EQ(findIniValue(text, u"Strings", u"0001"), "");
    EXPECT_EQ(findIniValue(text, u"Strings", u"; 0002"), "");
    EXPECT_EQ(findIniValue(text, u"Strings", u"0002"), "");
    EXPECT_EQ(findIniValue(text, u"Strings", u"0003"), "");
    EXPECT_EQ(findIniValue(text, u"Strings", u"0004"), "after a bare name");
    EXPECT_EQ(findIniValue(text, u"Empty", u"0004"), "");
}

TEST(IniParse, FirstOfDuplicateSectionsAndKeysWins)
{
    const QString text = "[Strings]\n0001=first\n0001=second\n"
                         "[Other]\n0002=other\n"
                         "[STRINGS]\n0001=third\n0003=only in the repetition\n";
    EXPECT_EQ(findIniValue(text, u"Strings", u"0001"), "first");
    EXPECT_EQ(findIniValue(text, u"Strings", u"0003"), "");
    EXPECT_EQ(findIniValue(text, u"Other", u"0002"), "other");
}

TEST(IniParse, CrLfCrAndMixedLineEndsReadAlike)
{
    for (const QString end : {"\r\n", "\n", "\r"}) {
        const QString text = "[Strings]" + end + "0001=\"one\"" + end + "0002=two" + end
            + "[Next]" + end + "0003=three";
        SCOPED_TRACE(end.toUtf8().toHex().toStdString());
        EXPECT_EQ(findIniValue(text, u"Strings", u"0001"), "one");
        EXPECT_EQ(findIniValue(text, u"Strings", u"0002"), "two");
        EXPECT_EQ(findIniValue(text, u"Next", u"0003"), "three");
    }
    EXPECT_EQ(findIniValue(u"[S]\r0001=a\n\r\n0002=b\r\r0003=c", u"S", u"0003"), "c");
}

TEST(IniParse, LongValuesAreCutTo511CharactersWithoutHalvingACharacter)
{
    const QString value(600, u'x');
    EXPECT_EQ(findIniValue("[S]\nk=" + value, u"S", u"k"), value.left(511));
    EXPECT_EQ(findIniValue("[S]\nk=\"" + value + "\"", u"S", u"k"), value.left(511));

    const QString emoji = QString::fromUtf8("\xF0\x9F\x93\x90"); // two UTF-16 units
    const QString straddling = QString(510, u'y') + emoji + "tail";
    EXPECT_EQ(findIniValue("[S]\nk=" + straddling, u"S", u"k"), QString(510, u'y'));
}

// --- Reading files ----------------------------------------------------------

TEST_F(IniFileTest, MissingFileSectionOrKeyReadsEmpty)
{
    const QString file = write("a.ini", "[Language]\r\nCurrentLanguage=English\r\n");
    EXPECT_EQ(ReadIniString(file, "Language", "CurrentLanguage"), "English");
    EXPECT_EQ(ReadIniString(file, "Language", "Other"), "");
    EXPECT_EQ(ReadIniString(file, "Strings", "CurrentLanguage"), "");
    EXPECT_EQ(ReadIniString(path("missing.ini"), "Language", "CurrentLanguage"), "");
    EXPECT_EQ(ReadIniString(dir.path(), "Language", "CurrentLanguage"), "");
    // A pipe is not read (opening it would wait for a writer).
    ASSERT_EQ(mkfifo(QFile::encodeName(path("pipe.lng")).constData(), 0600), 0);
    EXPECT_EQ(ReadIniString(path("pipe.lng"), "Language", "CurrentLanguage"), "");
}

// Big language files are read with sections, blanks and quotes like small ones.
TEST_F(IniFileTest, FilesOf64000And64001BytesReadAlike)
{
    const QByteArray head = "[Other]\r\nCommand1.Caption=\"not this one\"\r\n";
    const QByteArray tail = "[FormMenu]\r\nCommand1.Caption = \"Esci\"\r\nLong=\""
        + QByteArray(600, 'z') + "\"\r\n";
    for (const qsizetype size : {64000, 64001}) {
        SCOPED_TRACE(size);
        const qsizetype padding = size - head.size() - tail.size() - 3; // ';' and CRLF
        const QByteArray bytes = head + ';' + QByteArray(padding, '-') + "\r\n" + tail;
        ASSERT_EQ(bytes.size(), size);
        const QString file = write(QString::number(size) + ".lng", bytes);

        EXPECT_EQ(ReadIniString(file, "FormMenu", "Command1.Caption"), "Esci");
        EXPECT_EQ(ReadIniString(file, "frmRuota", "Command1.Caption"), "");
        EXPECT_EQ(ReadIniString(file, "Other", "Command1.Caption"), "not this one");
        EXPECT_EQ(ReadIniString(file, "FormMenu", "Long"), QString(511, u'z'));
    }
}

TEST_F(IniFileTest, Windows1252AndUtf8FilesShowTheSameText)
{
    const QString expected = QString::fromUtf8("perch\xC3\xA8 90\xC2\xB0");
    const QByteArray utf8 = "[Strings]\r\n0001=\"perch\xC3\xA8 90\xC2\xB0\"\r\n";
    const QByteArray files[] = {
        "[Strings]\r\n0001=\"perch\xE8 90\xB0\"\r\n",
        utf8,
        "\xEF\xBB\xBF" + utf8,
    };
    for (const QByteArray& bytes : files) {
        SCOPED_TRACE(bytes.toHex().toStdString());
        EXPECT_EQ(ReadIniString(write("t.lng", bytes), "Strings", "0001"), expected);
    }
    // A lone Windows-1252 letter at the very end is not an unfinished UTF-8 sequence.
    EXPECT_EQ(language::decodeText("[S]\nk=perch\xE8"), QString::fromUtf8("[S]\nk=perch\xC3\xA8"));
    EXPECT_EQ(language::decodeText(""), "");
}

// --- Writing ----------------------------------------------------------------

TEST_F(IniFileTest, WriteReplacesTheValueAndKeepsEveryOtherLineByteForByte)
{
    const QByteArray before = "; settings\n[Language]\t; the chosen one\n"
                              "  ; CurrentLanguage=old comment\n"
                              "currentlanguage = \"Italiano\"\n"
                              "\n[Other]\r\nKey=1";
    const QString file = write("LangSetting.ini", before);

    EXPECT_NE(WriteIniString(file, "Language", "CurrentLanguage", "English"), 0);
    EXPECT_EQ(bytesOf("LangSetting.ini"),
              "; settings\n[Language]\t; the chosen one\n"
              "  ; CurrentLanguage=old comment\n"
              "CurrentLanguage=English\r\n"
              "\n[Other]\r\nKey=1");
    EXPECT_EQ(ReadIniString(file, "Language", "CurrentLanguage"), "English");
}

TEST_F(IniFileTest, WriteAppendsAfterTheLastKeyOfTheSectionOrAppendsTheSection)
{
    const QString file = write("a.ini", "[A]\nk1=1\n; note\nk2=2\n\n[B]\nb=1");

    EXPECT_NE(WriteIniString(file, "a", "k3", "3"), 0);
    EXPECT_EQ(bytesOf("a.ini"), "[A]\nk1=1\n; note\nk2=2\nk3=3\r\n\n[B]\nb=1");

    EXPECT_NE(WriteIniString(file, "B", "b2", "x y"), 0);
    EXPECT_EQ(bytesOf("a.ini"), "[A]\nk1=1\n; note\nk2=2\nk3=3\r\n\n[B]\nb=1\r\nb2=x y\r\n");

    EXPECT_NE(WriteIniString(file, " C ", " c ", "\"quoted\""), 0);
    EXPECT_EQ(bytesOf("a.ini"),
              "[A]\nk1=1\n; note\nk2=2\nk3=3\r\n\n[B]\nb=1\r\nb2=x y\r\n[C]\r\nc=\"quoted\"\r\n");
    EXPECT_EQ(ReadIniString(file, "C", "c"), "quoted");

    const QString headerOnly = write("h.ini", "[A]\r\n; nothing yet\r\n");
    EXPECT_NE(WriteIniString(headerOnly, "A", "k", "v"), 0);
    EXPECT_EQ(bytesOf("h.ini"), "[A]\r\nk=v\r\n; nothing yet\r\n");
}

TEST_F(IniFileTest, WriteCreatesAMissingFileButNotAMissingFolder)
{
    EXPECT_NE(WriteIniString(path("new.ini"), "Language", "CurrentLanguage", "English"), 0);
    EXPECT_EQ(bytesOf("new.ini"), "[Language]\r\nCurrentLanguage=English\r\n");

    EXPECT_EQ(WriteIniString(path("no/such/dir.ini"), "Language", "CurrentLanguage", "x"), 0);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"new.ini"});
}

TEST_F(IniFileTest, RefusedWritesLeaveTheFileAlone)
{
    const QByteArray before = "[Language]\r\nCurrentLanguage=Italiano\r\n";
    const QString file = write("LangSetting.ini", before);
    const struct {
        const char* section;
        const char* key;
        const char* value;
    } refused[] = {
        {"Language", "CurrentLanguage", "English\r\n[Evil]"},
        {"Language", "CurrentLanguage", "line\nbreak"},
        {"Language", "CurrentLanguage", "cr\r"},
        {"Lang\nuage", "CurrentLanguage", "x"},
        {"Language", "Current\rLanguage", "x"},
        {"", "CurrentLanguage", "x"},
        {"Language", " \t", "x"},
        {"Language", "a=b", "x"},
        {"Language", ";comment", "x"},
    };
    for (const auto& write : refused) {
        SCOPED_TRACE(write.key);
        EXPECT_EQ(WriteIniString(file, write.section, write.key, write.value), 0);
        EXPECT_EQ(WriteIniString(path("absent.ini"), write.section, write.key, write.value), 0);
    }
    EXPECT_EQ(bytesOf("LangSetting.ini"), before);
    EXPECT_FALSE(QFile::exists(path("absent.ini")));
}

// After a write the key reads back as written and every other key as it read
// before; lines keep their bytes unless the file's encoding makes that impossible,
// and then the whole file is written anew in UTF-8.
TEST_F(IniFileTest, AWriteNeverChangesHowTheFileReads)
{
    const QString greek = QString::fromUtf8("\xCE\x95\xCE\xBB\xCE\xBB\xCE\xB7\xCE\xBD\xCE\xB9\xCE\xBA\xCE\xAC");
    const struct {
        const char* what;
        QByteArray before;
        const char* key;
        QString value;
        QByteArray after;
    } writes[] = {
        {"Windows-1252 file, value it can hold: that line only, in Windows-1252",
         "[Strings]\r\n0001=perch\xE8\r\n", "0002", QString::fromUtf8("90\xC2\xB0"),
         "[Strings]\r\n0001=perch\xE8\r\n0002=90\xB0\r\n"},
        {"Windows-1252 file, value it cannot hold: all of it anew in UTF-8",
         "[Strings]\r\n0001=Fran\xE7" "ais\n; caf\xE9\r\n", "0001", greek,
         "[Strings]\r\n0001=" + greek.toUtf8() + "\r\n; caf\xC3\xA9\r\n"},
        {"Windows-1252 file, a check mark: all of it anew in UTF-8",
         "[Strings]\r\n0001=perch\xE8\r\n", "0002", QString::fromUtf8("\xE2\x9C\x93"),
         "[Strings]\r\n0001=perch\xC3\xA8\r\n0002=\xE2\x9C\x93\r\n"},
        {"its only non-UTF-8 line replaced, the rest would read as UTF-8: anew in UTF-8",
         "[Strings]\r\n0001=Fran\xE7" "ais\r\n0002=\xC3\xA8\r\n", "0001", "English",
         "[Strings]\r\n0001=English\r\n0002=\xC3\x83\xC2\xA8\r\n"},
        {"its only non-UTF-8 line replaced, the rest plain ASCII: that line only",
         "[Strings]\r\n0001=Fran\xE7" "ais\r\n0002=plain\r\n", "0001", "English",
         "[Strings]\r\n0001=English\r\n0002=plain\r\n"},
        {"UTF-8 file with a byte order mark: that line only, in UTF-8",
         "\xEF\xBB\xBF[Strings]\n0001=\xC3\xA8\n", "0002", greek,
         "\xEF\xBB\xBF[Strings]\n0001=\xC3\xA8\n0002=" + greek.toUtf8() + "\r\n"},
    };
    for (const auto& write : writes) {
        SCOPED_TRACE(write.what);
        const QString file = this->write("t.lng", write.before);
        QMap<QString, QString> others;
        for (const QString key : {"0001", "0002", "0003"})
            if (key != write.key)
                others[key] = ReadIniString(file, "Strings", key);

        EXPECT_NE(WriteIniString(file, "Strings", write.key, write.value), 0);
        EXPECT_EQ(bytesOf("t.lng"), write.after);
        EXPECT_EQ(ReadIniString(file, "Strings", write.key), write.value);
        for (auto other = others.cbegin(); other != others.cend(); ++other)
            EXPECT_EQ(ReadIniString(file, "Strings", other.key()), other.value()) << other.key().toStdString();
    }
}

TEST_F(IniFileTest, AValueUtf8CannotCarryIsRefused)
{
    const QByteArray before = "[Language]\r\nCurrentLanguage=Fran\xE7" "ais\r\n";
    const QString file = write("LangSetting.ini", before);
    const QString halfPair = QStringLiteral("x") + QChar(0xD800);
    EXPECT_EQ(WriteIniString(file, "Language", "CurrentLanguage", halfPair), 0);
    EXPECT_EQ(WriteIniString(file, "Language", halfPair, "x"), 0);
    EXPECT_EQ(bytesOf("LangSetting.ini"), before);
}

} // namespace

// The index that serves repeated reads of a file finds what the text parser
// finds, for names that differ only in case in every alphabet.
TEST(IniIndex, FindsWhatTheTextParserFinds)
{
    const QString text = QString::fromUtf8("k=before any section\n"
                                           "[Strings]\n0001=uno\n0001=again\nSTRASSE=ß\n"
                                           "[ΣΟΦΊΑ]\nς=final sigma\n\xF0\x90\x90\x80=deseret\nİ=dotted\n"
                                           "[strings]\n0002=under a repeated header\n"
                                           "[ ]\n=empty name\n[Cut]\nlong=")
        + QString(600, u'x') + "\n";
    const QList<std::pair<QString, QString>> asked = {
        {"Strings", "0001"},           {"STRINGS", "0001"},    {"Strings", "0002"},
        {"Strings", "strasse"},        {"", "k"},              {"σοφία", "Σ"},
        {"ΣΟΦΊΑ", "σ"},                {"σοφία", QString::fromUtf8("\xF0\x90\x90\xA8")},
        {"ΣΟΦΊΑ", "i"},                {"ΣΟΦΊΑ", "İ"},         {" ", ""},
        {"", ""},                      {"Cut", "LONG"},        {"Missing", "0001"},
    };
    const language::IniIndex index(text);
    for (const auto& [section, key] : asked)
        EXPECT_EQ(index.value(section, key), findIniValue(text, section, key)) << section.toStdString() << " / " << key.toStdString();
    EXPECT_EQ(index.value(u"strings", u"0001"), "uno");
    EXPECT_EQ(index.value(u"Strings", u"0002"), "");
}

// Reads that follow one another see every change of the file, even one made
// at once and keeping its size.
TEST_F(IniFileTest, ARewrittenFileIsReadAnew)
{
    const QString file = write("a.lng", "[Strings]\n0001=uno\n");
    EXPECT_EQ(ReadIniString(file, "Strings", "0001"), "uno");
    write("a.lng", "[Strings]\n0001=due\n");
    EXPECT_EQ(ReadIniString(file, "Strings", "0001"), "due");
    const QString other = write("b.lng", "[Strings]\n0001=tre\n");
    EXPECT_EQ(ReadIniString(other, "Strings", "0001"), "tre");
    EXPECT_EQ(ReadIniString(file, "Strings", "0001"), "due");
    ASSERT_TRUE(WriteIniString(file, "Strings", "0001", "quattro"));
    EXPECT_EQ(ReadIniString(file, "Strings", "0001"), "quattro");
}
