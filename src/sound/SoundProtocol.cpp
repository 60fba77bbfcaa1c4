#include "sound/SoundProtocol.h"

namespace sound::protocol {

namespace {

QByteArray numbered(const char* verb, int sound)
{
    return QByteArray(verb) + ' ' + QByteArray::number(sound) + '\n';
}

// A whole non-negative decimal number, or -1.
int soundNumber(QByteArrayView text)
{
    if (text.isEmpty() || text.size() > 9)
        return -1;
    int n = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return -1;
        n = n * 10 + (c - '0');
    }
    return n;
}

} // namespace

QByteArray loadRequest(const QString& path)
{
    return "load " + path.toUtf8().toPercentEncoding() + '\n';
}

QByteArray playRequest(int sound)
{
    return numbered("play", sound);
}

QByteArray stopRequest(int sound)
{
    return numbered("stop", sound);
}

Request parseRequest(QByteArrayView line)
{
    const qsizetype space = line.indexOf(' ');
    if (space < 0)
        return {};
    const QByteArrayView verb = line.first(space);
    const QByteArrayView argument = line.sliced(space + 1);
    if (verb == "load") {
        const QByteArray path = QByteArray::fromPercentEncoding(argument.toByteArray());
        if (path.isEmpty() || path.contains('\0'))
            return {};
        return {Request::Load, QString::fromUtf8(path), -1};
    }
    const int sound = soundNumber(argument);
    if (sound < 0)
        return {};
    if (verb == "play")
        return {Request::Play, QString(), sound};
    if (verb == "stop")
        return {Request::Stop, QString(), sound};
    return {};
}

QByteArray readyReport()
{
    return "ready\n";
}

QByteArray noOutputReport()
{
    return "no-output\n";
}

Report parseReport(QByteArrayView line)
{
    if (line == "ready")
        return {Report::Ready, QString()};
    if (line == "no-output")
        return {Report::NoOutput, QString()};
    return {};
}

} // namespace sound::protocol
