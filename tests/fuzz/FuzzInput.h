#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <cstdlib>
#include <iostream>

// Shared by the fuzz targets: cutting one input into parts, writing and
// reading files, and failing loudly.
namespace fuzz {

// The input cut at NUL bytes into at most `count` parts (the last takes the rest).
inline QList<QByteArray> parts(const uint8_t* data, size_t size, int count)
{
    QList<QByteArray> result;
    QByteArray rest(reinterpret_cast<const char*>(data), qsizetype(size));
    while (result.size() < count - 1) {
        const qsizetype nul = rest.indexOf('\0');
        if (nul < 0)
            break;
        result.append(rest.first(nul));
        rest = rest.sliced(nul + 1);
    }
    result.append(rest);
    while (result.size() < count)
        result.append(QByteArray());
    return result;
}

inline void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}

inline QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A folder of our own for the whole run, on a memory file system when there
// is one; removed at exit (the name is kept past the static destructors).
inline QString scratchDir()
{
    static const QString* const dir = [] {
        const QString base = QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
        auto* path = new QString(base + QStringLiteral("/gonioma-fuzz-%1").arg(QCoreApplication::applicationPid()));
        QDir(*path).removeRecursively();
        QDir().mkpath(*path);
        std::atexit([] { QDir(scratchDir()).removeRecursively(); });
        return path;
    }();
    return *dir;
}

// Qt's warnings about odd file names would bury the fuzzer's own output.
inline const bool quietQt = [] {
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    return true;
}();

// A broken property: print what broke and stop, so libFuzzer keeps the input.
[[noreturn]] inline void broken(const char* what, const QString& detail = {})
{
    std::cerr << "PROPERTY BROKEN: " << what << '\n' << detail.toStdString() << std::endl;
    std::abort();
}

// Spaces and tabs off both ends, as the reader trims names.
inline QString trimBlanks(QString text)
{
    while (!text.isEmpty() && (text.front() == u' ' || text.front() == u'\t'))
        text.remove(0, 1);
    while (!text.isEmpty() && (text.back() == u' ' || text.back() == u'\t'))
        text.chop(1);
    return text;
}

inline bool sameName(const QString& a, const QString& b)
{
    return trimBlanks(a).compare(trimBlanks(b), Qt::CaseInsensitive) == 0;
}

inline QString show(const QString& text)
{
    return QString::fromLatin1(text.toUtf8().toPercentEncoding(" =[]"));
}

} // namespace fuzz
