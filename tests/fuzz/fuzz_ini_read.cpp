// Reading any key of any section from any bytes: no crash, no hang, and the
// file reader agrees with the text parser; a value is never longer than the
// cut nor holds a line break, and a key that has a value is one of the
// section's keys.
#include "FuzzInput.h"
#include "language/IniFile.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QList<QByteArray> in = fuzz::parts(data, size, 3);
    const QString section = QString::fromUtf8(in[0]);
    const QString key = QString::fromUtf8(in[1]);
    const QString path = fuzz::scratchDir() + QStringLiteral("/read.lng");
    fuzz::writeFile(path, in[2]);

    const QString value = language::ReadIniString(path, section, key);
    const QString text = language::decodeText(in[2]);
    if (value != language::findIniValue(text, section, key))
        fuzz::broken("the file reader and the text parser disagree", fuzz::show(value));
    if (value.size() > language::MaxIniValueLength)
        fuzz::broken("a value longer than the cut", QString::number(value.size()));
    if (value.contains(u'\r') || value.contains(u'\n'))
        fuzz::broken("a value with a line break", fuzz::show(value));
    if (!value.isEmpty()) {
        const QStringList keys = language::findIniKeys(text, section);
        const bool listed = std::any_of(keys.cbegin(), keys.cend(), [&](const QString& name) {
            return fuzz::sameName(name, key);
        });
        if (!listed)
            fuzz::broken("a key with a value is not among its section's keys", fuzz::show(key));
    }
    return 0;
}
