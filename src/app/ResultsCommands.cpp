#include "app/ResultsCommands.h"

#include "results/CsvWriter.h"
#include "results/ResultsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <memory>

namespace app {

namespace {
int say(FILE* stream, const QString& line, int status)
{
    const QByteArray bytes = line.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fflush(stream);
    return status;
}

// An empty reader, for an account with nothing kept yet.
class NothingKept final : public results::ResultsReader {
public:
    QStringList pupils() const override { return {}; }
    QList<results::PupilExerciseSummary> summary() const override { return {}; }
    QList<results::DailyShare> dailyShares(const QString&, const QString&) const override { return {}; }
    bool forEachAnswer(const QString&, const std::function<void(const results::AnswerRecord&)>&) const override
    {
        return true;
    }
    QString problem() const override { return {}; }
};
} // namespace

int forgetPupilCommand(const QString& name, FILE* out, FILE* err)
{
    const QString path = results::ResultsStore::defaultPath();
    if (!QFileInfo::exists(path))
        return say(err, QStringLiteral("gonioma: nothing is kept under the name \"%1\".").arg(name), 1);
    results::ResultsStore store(path);
    if (!store.canWrite())
        return say(err, QStringLiteral("gonioma: ") + store.problem(), 1);
    const int answers = store.answerCount(name);
    if (!store.forgetPupil(name)) {
        if (store.problemKind() == results::StoreProblem::None)
            return say(err, QStringLiteral("gonioma: nothing is kept under the name \"%1\".").arg(name), 1);
        return say(err, QStringLiteral("gonioma: ") + store.lastError(), 1);
    }
    return say(out, QStringLiteral("gonioma: \"%1\" forgotten: %2 answers erased.").arg(name).arg(answers), 0);
}

int exportResultsCommand(const QString& path, FILE* out, FILE* err)
{
    const QString database = results::ResultsStore::defaultPath();
    std::unique_ptr<results::ResultsStore> store;
    NothingKept nothing;
    const results::ResultsReader* reader = &nothing;
    if (QFileInfo::exists(database)) {
        // Read only: an export changes nothing, and works beside a running program.
        store = std::make_unique<results::ResultsStore>(database, results::StoreOptions{.readOnly = true});
        if (!store->isOpen())
            return say(err, QStringLiteral("gonioma: ") + store->problem(), 1);
        reader = store.get();
    }
    if (path == QLatin1String("-")) {
        QFile output;
        if (!output.open(out, QIODevice::WriteOnly) || !results::writeCsv(*reader, {}, output))
            return say(err, QStringLiteral("gonioma: the results could not be written: ") + reader->problem(), 1);
        output.flush();
        return 0;
    }
    QString error;
    if (!results::exportCsvFile(*reader, {}, path, &error))
        return say(err, QStringLiteral("gonioma: %1: %2").arg(QDir::toNativeSeparators(path), error), 1);
    return 0;
}

} // namespace app
