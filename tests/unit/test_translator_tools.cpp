// The translators' round trip (tools/lng2po, tools/po2lng) seen from the
// program: a shipped translation exported, edited as a PO editor would edit
// it, and imported again must be read by the program's own reader with the new
// texts, and with every other text as before.
#include "language/IniFile.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using language::decodeText;
using language::findIniKeys;
using language::findIniValue;

namespace {

QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Runs one of the tools; the error output on failure.
QString runTool(const QString& name, const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral(GONIOMA_SOURCE_DIR "/tools/") + name, arguments);
    if (!process.waitForFinished(60000))
        return name + QStringLiteral(" did not finish: ") + process.errorString();
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return QString::fromUtf8(process.readAllStandardError());
    return {};
}

// A PO string as a PO file spells it.
QString poQuoted(const QString& text)
{
    QString quoted = text;
    quoted.replace(u'\\', QStringLiteral("\\\\")).replace(u'"', QStringLiteral("\\\""));
    quoted.replace(u'\t', QStringLiteral("\\t"));
    return u'"' + quoted + u'"';
}

// Sets the msgstr of the entry with this context, as a translator would.
bool translate(QString& po, const QString& context, const QString& text)
{
    const QRegularExpression entry(u"msgctxt "_s + QRegularExpression::escape(poQuoted(context))
                                   + u"\nmsgid \"[^\n]*\"\nmsgstr (\"[^\n]*\")"_s);
    const QRegularExpressionMatch match = entry.match(po);
    if (!match.hasMatch())
        return false;
    po.replace(match.capturedStart(1), match.capturedLength(1), poQuoted(text));
    return true;
}

QStringList sectionsOf(const QString& text)
{
    QStringList sections;
    const QRegularExpression header(u"^\\[([^\\]\r\n]+)\\]\r?$"_s, QRegularExpression::MultilineOption);
    for (auto it = header.globalMatch(text); it.hasNext();)
        sections.append(it.next().captured(1));
    return sections;
}

TEST(TranslatorTools, AnEditedTranslationReadsWithItsNewTextsAndAllOthersAsBefore)
{
    QTemporaryDir dir;
    const QString data = QStringLiteral(GONIOMA_SOURCE_DIR "/data/");
    const QString po = dir.filePath(u"English.po"_s);
    const QString lng = dir.filePath(u"English.lng"_s);
    ASSERT_EQ(runTool(u"lng2po"_s, {data + u"English.lng"_s, po, u"--reference"_s, data + u"Italiano.lng"_s}),
              QString());

    const QString awkward = u"Say \"hi\" \\ C:\\new\ttab # not a comment = still text مرحبا"_s;
    const QString caption = u"Gonioma – angles ✓"_s;
    QString text = QString::fromUtf8(bytesOf(po));
    ASSERT_TRUE(translate(text, u"Strings/0040"_s, awkward));
    ASSERT_TRUE(translate(text, u"FormMenu/FormMenu.Caption"_s, caption));
    ASSERT_TRUE(writeBytes(po, text.toUtf8()));
    ASSERT_EQ(runTool(u"po2lng"_s, {po, lng}), QString());

    const QString original = decodeText(bytesOf(data + u"English.lng"_s));
    const QString imported = decodeText(bytesOf(lng));
    EXPECT_EQ(language::ReadIniString(lng, u"Strings"_s, u"0040"_s), awkward);
    EXPECT_EQ(language::ReadIniString(lng, u"formmenu"_s, u"FORMMENU.CAPTION"_s), caption);

    const QStringList sections = sectionsOf(original);
    ASSERT_GE(sections.size(), 2);
    EXPECT_EQ(sectionsOf(imported), sections);
    int unchanged = 0;
    for (const QString& section : sections) {
        EXPECT_EQ(findIniKeys(imported, section), findIniKeys(original, section)) << section.toStdString();
        for (const QString& key : findIniKeys(original, section)) {
            if ((section == u"Strings" && key == u"0040") || key == u"FormMenu.Caption")
                continue;
            EXPECT_EQ(findIniValue(imported, section, key), findIniValue(original, section, key))
                << section.toStdString() << '/' << key.toStdString();
            ++unchanged;
        }
    }
    EXPECT_GT(unchanged, 100);
}

} // namespace
