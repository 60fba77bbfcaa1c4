#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace sound::protocol {

// The program and its sound helper talk in lines of text over the helper's
// standard input and output.
//
// Requests, program to helper: "load <path>", with the path percent-encoded
// UTF-8 so that any file name fits on one line; "play <n>" and "stop <n>",
// where n counts the loads from 0.
struct Request {
    enum Kind { Invalid, Load, Play, Stop };
    Kind kind = Invalid;
    QString path;
    int sound = -1;
};

QByteArray loadRequest(const QString& path);
QByteArray playRequest(int sound);
QByteArray stopRequest(int sound);
// `line` without its line feed.
Request parseRequest(QByteArrayView line);

// The helper's one report, once it has started: "ready" (it plays) or
// "no-output" (the system has no audio device). A helper that cannot be
// started, or ends or says something else before it reports, is Unavailable:
// the program's own verdict, never sent, with the reason in `reason`.
struct Report {
    enum Kind { Invalid, Ready, NoOutput, Unavailable };
    Kind kind = Invalid;
    QString reason;
};

QByteArray readyReport();
QByteArray noOutputReport();
Report parseReport(QByteArrayView line);

} // namespace sound::protocol
