#include "sound/SoundHelper.h"

#include <QProcess>

#ifndef GONIOMA_SOUND_HELPER
#error "GONIOMA_SOUND_HELPER names the sound helper's file"
#endif

namespace sound {

namespace {
// The helper reports in one short line; anything longer is not a report.
constexpr qsizetype kLongestReport = 4096;
} // namespace

QString SoundHelper::fileName()
{
    return QStringLiteral(GONIOMA_SOUND_HELPER);
}

SoundHelper* SoundHelper::start(const QString& dir, Started started)
{
    // Kept for the whole run, used or not: see SoundBackend.
    static SoundHelper* helper = nullptr;
    helper = new SoundHelper(dir + QLatin1Char('/') + fileName(), std::move(started));
    helper->launch();
    return helper;
}

SoundHelper::SoundHelper(const QString& program, Started started)
    : m_program(program)
    , m_started(std::move(started))
{
}

void SoundHelper::launch()
{
    auto* process = new QProcess(this);
    m_process = process;
    m_output.clear();
    // What the sound system prints goes where the program's own messages go.
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    connect(process, &QProcess::readyReadStandardOutput, this, &SoundHelper::readReport);
    connect(process, &QProcess::finished, this, [this, process] {
        if (process != m_process)
            return;
        readReport(); // a report written just before the end
        ended(QStringLiteral("%1 ended before it reported").arg(m_program));
    });
    connect(process, &QProcess::errorOccurred, this, [this, process](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart && process == m_process)
            ended(QStringLiteral("%1 could not be started").arg(m_program));
    });
    process->start(m_program, QStringList());
}

void SoundHelper::ended(const QString& why)
{
    // Reported from the event loop: a helper that cannot be started may say
    // so from within start().
    m_process->deleteLater();
    m_process = nullptr;
    QMetaObject::invokeMethod(
        this, [this, why] { reportOnce({protocol::Report::Unavailable, why}); }, Qt::QueuedConnection);
}

void SoundHelper::reportOnce(const protocol::Report& report)
{
    if (m_reported)
        return;
    m_reported = true;
    m_started(*this, report);
}

void SoundHelper::readReport()
{
    if (!m_process)
        return;
    m_output += m_process->readAllStandardOutput();
    const qsizetype feed = m_output.indexOf('\n');
    if (feed < 0) {
        if (m_output.size() > kLongestReport)
            m_output.clear();
        return;
    }
    const protocol::Report report = protocol::parseReport(QByteArrayView(m_output).first(feed));
    m_output.clear();
    reportOnce(report.kind == protocol::Report::Invalid
                   ? protocol::Report{protocol::Report::Unavailable, QStringLiteral("%1 said something else").arg(m_program)}
                   : report);
}

SoundBackend::Handle SoundHelper::load(const QString& path)
{
    m_loaded.append(path);
    send(protocol::loadRequest(path));
    return Handle(m_loaded.size() - 1);
}

void SoundHelper::play(Handle sound)
{
    if (!m_process) {
        if (m_restarts >= kMostRestarts)
            return;
        ++m_restarts;
        launch();
        for (const QString& path : std::as_const(m_loaded))
            send(protocol::loadRequest(path));
    }
    send(protocol::playRequest(sound));
}

void SoundHelper::stop(Handle sound)
{
    // A helper that has ended plays nothing that needs stopping.
    if (m_process)
        send(protocol::stopRequest(sound));
}

void SoundHelper::send(const QByteArray& line)
{
    // Written as soon as the helper is running; lost with a helper that ends.
    if (m_process)
        m_process->write(line);
}

} // namespace sound
