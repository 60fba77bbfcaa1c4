#include "results/Recording.h"

#include "results/ResultsStore.h"

#include <QByteArray>
#include <QFileInfo>

#include <cstdio>

#include <pwd.h>
#include <unistd.h>

namespace results {

namespace {
AnswerRecorder*& installedRecorder()
{
    static AnswerRecorder* recorder = nullptr;
    return recorder;
}
} // namespace

AnswerRecorder* AnswerRecorder::installed()
{
    return installedRecorder();
}

void AnswerRecorder::install(AnswerRecorder* recorder)
{
    installedRecorder() = recorder;
}

QString accountUserName()
{
    if (const passwd* entry = getpwuid(geteuid()); entry && entry->pw_name && *entry->pw_name)
        return QString::fromLocal8Bit(entry->pw_name);
    const QString user = qEnvironmentVariable("USER");
    return user.isEmpty() ? QStringLiteral("pupil") : user;
}

Recording::Recording(const QString& databasePath)
    : m_path(databasePath)
{
}

ResultsStore& Recording::store()
{
    if (!m_store) {
        m_store = std::make_unique<ResultsStore>(m_path);
        noteProblem();
    }
    return *m_store;
}

bool Recording::hasResults() const
{
    return m_store || QFileInfo::exists(m_path);
}

Recording::~Recording()
{
    if (installedRecorder() == this)
        installedRecorder() = nullptr;
}

Recording* Recording::current()
{
    return dynamic_cast<Recording*>(installedRecorder());
}

QString Recording::pupil() const
{
    return m_pupil.isEmpty() ? accountUserName() : m_pupil;
}

void Recording::setPupil(const QString& pupil)
{
    m_pupil = pupil;
}

bool Recording::record(const AnswerRecord& answer)
{
    const bool kept = store().record(answer);
    noteProblem();
    return kept;
}

QString Recording::problem() const
{
    return m_problem;
}

void Recording::noteProblem()
{
    // All is well most of the time: then no text is looked up.
    if (!m_store || (m_store->problemKind() == StoreProblem::None && m_problem.isEmpty()))
        return;
    const QString now = m_store->problem();
    if (now == m_problem)
        return;
    m_problem = now;
    if (!now.isEmpty()) {
        const QByteArray line = "Gonioma: " + now.toUtf8() + '\n';
        std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
        std::fflush(stderr);
    }
    if (m_listener)
        m_listener(now);
}

} // namespace results
