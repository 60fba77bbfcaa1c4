#include "app/PupilNames.h"

#include "language/IniFile.h"
#include "platform/services/Settings.h"
#include "results/ClassList.h"
#include "results/Recording.h"
#include "results/ResultsStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <memory>

namespace app {

namespace {
std::unique_ptr<results::Recording>& runRecording()
{
    static std::unique_ptr<results::Recording> recording;
    return recording;
}
} // namespace

QString classListFilePath()
{
    const QString settings = platform::schoolSettingsPath();
    const QString named = language::ReadIniString(settings, QStringLiteral("Program"), QStringLiteral("Pupils")).trimmed();
    if (named.isEmpty())
        return {};
    return QDir::isAbsolutePath(named) ? named : QFileInfo(settings).absoluteDir().filePath(named);
}

QStringList classListNames()
{
    if (results::Recording* kept = recording(); kept && kept->hasResults()) {
        const QStringList names = kept->store().pupils();
        if (!names.isEmpty())
            return names;
    }
    const QString path = classListFilePath();
    if (path.isEmpty())
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return results::readClassList(file.readAll(), results::isCsvFileName(path)).names;
}

void startRecording()
{
    // Closed with the application, while Qt SQL still knows its connections.
    static const bool closedAtTheEnd = [] {
        qAddPostRoutine(&stopRecording);
        return true;
    }();
    Q_UNUSED(closedAtTheEnd);
    stopRecording();
    runRecording() = std::make_unique<results::Recording>(results::ResultsStore::defaultPath());
    results::AnswerRecorder::install(runRecording().get());
}

void stopRecording()
{
    if (runRecording() && results::AnswerRecorder::installed() == runRecording().get())
        results::AnswerRecorder::install(nullptr);
    runRecording().reset();
}

results::Recording* recording()
{
    return runRecording().get();
}

} // namespace app
