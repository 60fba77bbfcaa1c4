#include "language/IniFile.h"

#include "platform/services/SaveFile.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QList>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <memory>
#include <optional>
#include <type_traits>

namespace language {

namespace {

const QByteArray WrittenLineEnd = QByteArrayLiteral("\r\n");

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

// Lets one line splitter walk raw bytes and decoded text alike.
char16_t code(char c)
{
    return static_cast<unsigned char>(c);
}

char16_t code(QChar c)
{
    return c.unicode();
}

template <typename Char>
bool isLineEnd(Char c)
{
    return code(c) == u'\r' || code(c) == u'\n';
}

// Only spaces and tabs count as blanks around names and values.
QStringView trimBlanks(QStringView text)
{
    while (!text.isEmpty() && isBlank(text.front()))
        text = text.sliced(1);
    while (!text.isEmpty() && isBlank(text.back()))
        text.chop(1);
    return text;
}

// One line of a file: where its text starts, how long the text is and how many
// line-end characters follow it (none on a last line without a line end).
struct LineSpan {
    qsizetype start = 0;
    qsizetype length = 0;
    qsizetype endLength = 0;

    qsizetype next() const { return start + length + endLength; }
};

// Splits raw bytes or decoded text alike. CRLF, LF and CR all end a line; both
// encodings we read keep these as the same single characters, so the lines of
// a file's bytes and of its decoded text correspond one to one.
template <typename Text>
QList<LineSpan> splitLines(const Text& text)
{
    QList<LineSpan> spans;
    qsizetype start = 0;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        if (!isLineEnd(text.at(i)))
            continue;
        const bool crlf = code(text.at(i)) == u'\r' && i + 1 < size && code(text.at(i + 1)) == u'\n';
        const LineSpan span{start, i - start, crlf ? 2 : 1};
        spans.append(span);
        start = span.next();
        i = start - 1;
    }
    if (start < size)
        spans.append({start, size - start, 0});
    return spans;
}

enum class LineKind { Other, Section, Key };

struct IniLine {
    LineKind kind = LineKind::Other;
    QStringView name;
    QStringView value;
};

IniLine parseLine(QStringView line)
{
    const QStringView text = trimBlanks(line);
    if (text.isEmpty() || text.front() == u';')
        return {};
    if (text.front() == u'[') {
        const qsizetype close = text.lastIndexOf(u']');
        if (close > 0)
            return {LineKind::Section, trimBlanks(text.sliced(1, close - 1)), {}};
    }
    const qsizetype equals = text.indexOf(u'=');
    if (equals < 0)
        return {};
    return {LineKind::Key, trimBlanks(text.first(equals)), trimBlanks(text.sliced(equals + 1))};
}

bool sameName(QStringView a, QStringView b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Where a key stands, by line index. Only the first header of a section counts:
// a later repetition of the same section is not searched.
struct KeyPlace {
    qsizetype sectionLine = -1;
    qsizetype lastKeyLine = -1; // last key line of the section, any key
    qsizetype keyLine = -1;     // first line with the key within the section
    QStringView value;
};

KeyPlace locate(QStringView text, const QList<LineSpan>& spans, QStringView section,
                QStringView key)
{
    section = trimBlanks(section);
    key = trimBlanks(key);
    KeyPlace place;
    for (qsizetype i = 0; i < spans.size(); ++i) {
        const IniLine line = parseLine(text.sliced(spans[i].start, spans[i].length));
        if (line.kind == LineKind::Section) {
            if (place.sectionLine >= 0)
                break;
            if (sameName(line.name, section))
                place.sectionLine = i;
        } else if (line.kind == LineKind::Key && place.sectionLine >= 0) {
            place.lastKeyLine = i;
            if (place.keyLine < 0 && sameName(line.name, key)) {
                place.keyLine = i;
                place.value = line.value;
            }
        }
    }
    return place;
}

// Drops one pair of enclosing quotes and cuts the value to its maximum length,
// never between the two halves of a surrogate pair.
QString cleanValue(QStringView value)
{
    const bool quoted = value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'')
        && value.back() == value.front();
    if (quoted)
        value = value.sliced(1, value.size() - 2);
    qsizetype length = std::min(value.size(), MaxIniValueLength);
    if (length < value.size() && value[length - 1].isHighSurrogate())
        --length;
    return value.first(length).toString();
}

std::optional<QString> decodeUtf8(const QByteArray& bytes)
{
    // Stateless, so a sequence cut off at the end of the file counts as invalid.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (utf8.hasError())
        return std::nullopt;
    return text;
}

// New lines follow the file: Windows-1252 in a file that is not UTF-8, as long
// as the line can be written that way; UTF-8 otherwise (withKey then finds
// that the file no longer reads as it did and writes it anew).
QByteArray encodeLine(const QString& line, bool fileIsUtf8)
{
    if (!fileIsUtf8) {
        QStringEncoder cp1252("windows-1252");
        const QByteArray bytes = cp1252(line);
        if (cp1252.isValid() && !cp1252.hasError())
            return bytes;
    }
    return line.toUtf8();
}

// A line we write must read back as what it is meant to be: a header naming the
// section, or a line of the key, with no line break anywhere in it and nothing
// that UTF-8 cannot carry (half of a surrogate pair).
bool readsBackAs(const QString& line, LineKind kind, QStringView name)
{
    if (name.isEmpty() || std::any_of(line.cbegin(), line.cend(), [](QChar c) { return isLineEnd(c); }))
        return false;
    if (QString::fromUtf8(line.toUtf8()) != line)
        return false;
    const IniLine parsed = parseLine(line);
    return parsed.kind == kind && parsed.name == name;
}

template <typename Text>
Text lineEnd()
{
    if constexpr (std::is_same_v<Text, QString>)
        return QStringLiteral("\r\n");
    else
        return WrittenLineEnd;
}

template <typename Text>
Text insertedAfter(const Text& text, const LineSpan& span, const Text& lines)
{
    Text result = text.first(span.next());
    if (span.endLength == 0)
        result += lineEnd<Text>();
    return result + lines + text.sliced(span.next());
}

// The same edit on a file's bytes or on its decoded text: the key's line
// replaced, or added after the last key of its section, or the section added
// at the end. `line` gives a written line with its line end.
template <typename Text, typename Line>
Text edited(const Text& text, const KeyPlace& place, const QString& header, const QString& keyLine,
            const Line& line)
{
    const QList<LineSpan> lines = splitLines(text);
    if (place.keyLine >= 0) {
        const LineSpan& old = lines[place.keyLine];
        return text.first(old.start) + line(keyLine) + text.sliced(old.next());
    }
    if (place.sectionLine >= 0) {
        const qsizetype after = place.lastKeyLine >= 0 ? place.lastKeyLine : place.sectionLine;
        return insertedAfter(text, lines[after], line(keyLine));
    }
    const Text newSection = line(header) + line(keyLine);
    return lines.isEmpty() ? newSection : insertedAfter(text, lines.last(), newSection);
}

// The file's bytes with the key set. After the write the key reads back as
// written and every other line as the text it had. As a rule every line but the
// one written (and a line end added to a last line that had none) stays byte
// for byte as it was; when that cannot keep the texts (a Windows-1252 file that
// cannot hold the new line, or that would then read as UTF-8 and so change how
// its other lines read), the whole file is written anew in UTF-8.
QByteArray withKey(const QByteArray& bytes, QStringView section, QStringView key,
                   const QString& header, const QString& keyLine)
{
    const std::optional<QString> utf8Text = decodeUtf8(bytes);
    const QString text = utf8Text ? *utf8Text : decodeText(bytes);
    const KeyPlace place = locate(text, splitLines(QStringView(text)), section, key);

    const QString wanted = edited(text, place, header, keyLine,
                                  [](const QString& line) { return line + lineEnd<QString>(); });
    const QByteArray inPlace = edited(bytes, place, header, keyLine, [&](const QString& line) {
        return encodeLine(line, utf8Text.has_value()) + WrittenLineEnd;
    });
    if (decodeText(inPlace) == wanted)
        return inPlace;
    // A text that starts with a byte order mark keeps it behind one more, which
    // the reader skips.
    const QByteArray bom = wanted.startsWith(QChar(0xFEFF)) ? QByteArrayLiteral("\xEF\xBB\xBF") : QByteArray();
    return bom + wanted.toUtf8();
}

} // namespace

QString decodeText(const QByteArray& bytes)
{
    if (std::optional<QString> text = decodeUtf8(bytes))
        return *text;
    QStringDecoder cp1252("windows-1252");
    if (!cp1252.isValid())
        return QString::fromLatin1(bytes);
    return cp1252(bytes);
}

QString findIniValue(QStringView text, QStringView section, QStringView key)
{
    const KeyPlace place = locate(text, splitLines(text), section, key);
    return place.keyLine >= 0 ? cleanValue(place.value) : QString();
}

QStringList findIniKeys(QStringView text, QStringView section)
{
    const QList<LineSpan> spans = splitLines(text);
    const KeyPlace place = locate(text, spans, section, {});
    QStringList keys;
    for (qsizetype i = place.sectionLine + 1; place.sectionLine >= 0 && i <= place.lastKeyLine; ++i) {
        const IniLine line = parseLine(text.sliced(spans[i].start, spans[i].length));
        if (line.kind == LineKind::Key)
            keys.append(line.name.toString());
    }
    return keys;
}

IniIndex::IniIndex(QStringView text)
{
    const QList<LineSpan> spans = splitLines(text);
    QHash<QString, QString>* current = nullptr;
    for (const LineSpan& span : spans) {
        const IniLine line = parseLine(text.sliced(span.start, span.length));
        if (line.kind == LineKind::Section) {
            // Only the first header of a section counts: the keys under a
            // repeated header are never found.
            const QString name = foldedName(line.name);
            current = m_sections.contains(name) ? nullptr : &m_sections[name];
        } else if (line.kind == LineKind::Key && current) {
            const QString name = foldedName(line.name);
            if (!current->contains(name))
                current->insert(name, cleanValue(line.value));
        }
    }
}

bool IniIndex::hasKeys(QStringView section) const
{
    const auto keys = m_sections.constFind(foldedName(trimBlanks(section)));
    return keys != m_sections.cend() && !keys->isEmpty();
}

QString IniIndex::value(QStringView section, QStringView key) const
{
    const auto keys = m_sections.constFind(foldedName(trimBlanks(section)));
    if (keys == m_sections.cend())
        return {};
    return keys->value(foldedName(trimBlanks(key)));
}

// Folds a name unit by unit as QStringView::compare(..., Qt::CaseInsensitive)
// does, so two names fold alike exactly when they compare equal: a code point
// by its simple case folding, the half of a surrogate pair that the folding
// would change being its low half.
QString IniIndex::foldedName(QStringView name)
{
    QString folded;
    folded.reserve(name.size());
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QChar unit = name[i];
        if (unit.unicode() < 0x80) {
            // ASCII folds to its lower case; Unicode's tables are not needed.
            const char16_t c = unit.unicode();
            folded.append(QChar(c >= u'A' && c <= u'Z' ? char16_t(c + (u'a' - u'A')) : c));
        } else if (unit.isLowSurrogate() && i > 0 && name[i - 1].isHighSurrogate()) {
            const char32_t full = QChar::surrogateToUcs4(name[i - 1], unit);
            folded.append(QChar(QChar::lowSurrogate(QChar::toCaseFolded(full))));
        } else {
            folded.append(QChar(char16_t(QChar::toCaseFolded(char32_t(unit.unicode())))));
        }
    }
    return folded;
}

namespace {

// The last files read, by their bytes: a file is decoded and indexed again only
// when what it holds has changed, however quickly it was rewritten.
struct ReadFile {
    QString path;
    QByteArray bytes;
    std::shared_ptr<const IniIndex> index;
};

constexpr qsizetype kFilesKept = 2;

std::shared_ptr<const IniIndex> indexOf(const QString& path, const QByteArray& bytes)
{
    static QList<ReadFile> kept;
    for (qsizetype i = 0; i < kept.size(); ++i) {
        if (kept[i].path == path && kept[i].bytes == bytes) {
            kept.move(i, 0);
            return kept.first().index;
        }
    }
    auto index = std::make_shared<const IniIndex>(decodeText(bytes));
    kept.prepend({path, bytes, index});
    if (kept.size() > kFilesKept)
        kept.removeLast();
    return index;
}

} // namespace

std::shared_ptr<const IniIndex> ReadIniIndex(const QString& filePath)
{
    // Only regular files are read: opening a pipe would wait for a writer.
    if (!QFileInfo(filePath).isFile())
        return nullptr;
    QFile file(filePath);
    // Read whole at once: a read buffer would only be copied out of.
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return nullptr;
    return indexOf(filePath, file.readAll());
}

QString ReadIniString(const QString& filePath, const QString& section, const QString& key)
{
    const std::shared_ptr<const IniIndex> index = ReadIniIndex(filePath);
    return index ? index->value(section, key) : QString();
}

int WriteIniString(const QString& filePath, const QString& section, const QString& key,
                   const QString& value)
{
    const QStringView sectionName = trimBlanks(section);
    const QStringView keyName = trimBlanks(key);
    const QString header = u'[' + sectionName.toString() + u']';
    const QString keyLine = keyName.toString() + u'=' + value;
    if (!readsBackAs(header, LineKind::Section, sectionName)
        || !readsBackAs(keyLine, LineKind::Key, keyName))
        return 0;

    QByteArray bytes;
    const QFileInfo info(filePath);
    if (info.exists()) {
        // A folder or a pipe is never written (opening a pipe would wait).
        if (!info.isFile())
            return 0;
        QFile existing(filePath);
        if (!existing.open(QIODevice::ReadOnly))
            return 0;
        bytes = existing.readAll();
    }
    const QByteArray updated = withKey(bytes, sectionName, keyName, header, keyLine);

    return platform::saveFileBytes(filePath, updated) ? 1 : 0;
}

} // namespace language
