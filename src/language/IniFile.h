#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <memory>

// Profile (INI) files: the settings file and the language files are read and
// written one key at a time.
namespace language {

// Reads one key of one section of an INI-style file. Empty when the file,
// section or key is missing. The file is read on every call; its text is parsed
// again only when its bytes have changed.
QString ReadIniString(const QString& filePath, const QString& section, const QString& key);

// Writes one key; returns non-zero on success, 0 on failure (nothing written).
// Names or values with a line break, and empty names, are refused.
int WriteIniString(const QString& filePath, const QString& section, const QString& key,
                   const QString& value);

// Decodes a text file's bytes: valid UTF-8 (BOM skipped) as UTF-8, else Windows-1252.
QString decodeText(const QByteArray& bytes);

// The value of a key in already decoded INI text; what ReadIniString returns
// for a file holding that text.
QString findIniValue(QStringView text, QStringView section, QStringView key);

// The names of the keys in the section (its first header only), in file order.
QStringList findIniKeys(QStringView text, QStringView section);

// The values of an INI text by section and key, found as findIniValue finds
// them, for texts that are asked many times (a language file).
class IniIndex {
public:
    explicit IniIndex(QStringView text);
    QString value(QStringView section, QStringView key) const;
    // Whether the section has at least one key.
    bool hasKeys(QStringView section) const;

    static QString foldedName(QStringView name);

private:
    // Sections and keys by their folded names; first header, first key wins.
    QHash<QString, QHash<QString, QString>> m_sections;
};

// The index of a file's text, parsed again only when the file's bytes have
// changed; null when the file is not a readable regular file.
std::shared_ptr<const IniIndex> ReadIniIndex(const QString& filePath);

// Longest value handed back; longer ones are cut.
inline constexpr qsizetype MaxIniValueLength = 511;

} // namespace language
