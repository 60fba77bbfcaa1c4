#include "teacherview/StoreClassList.h"

#include "results/ClassList.h"
#include "results/ResultsStore.h"
#include "teacherview/ViewText.h"

namespace teacherview {

using language::Message;

StoreClassList::StoreClassList(std::shared_ptr<results::ResultsStore> store)
    : m_store(std::move(store))
{
}

EditOutcome StoreClassList::outcome(bool done, const QString& doneLine) const
{
    if (done)
        return {true, doneLine, {}};
    return {false, viewText(Message::TeacherEditFailed).arg(m_store->lastError()), {}};
}

EditOutcome StoreClassList::addPupil(const QString& name)
{
    const bool done = m_store->addPupil(name);
    EditOutcome result = outcome(done, viewText(Message::TeacherPupilAdded).arg(results::cleanName(name)));
    result.pupil = results::cleanName(name);
    return result;
}

EditOutcome StoreClassList::renamePupil(const QString& from, const QString& to)
{
    const bool done = m_store->renamePupil(from, to);
    EditOutcome result = outcome(done, viewText(Message::TeacherPupilRenamed).arg(from, results::cleanName(to)));
    result.pupil = done ? results::cleanName(to) : from;
    return result;
}

EditOutcome StoreClassList::removePupil(const QString& name)
{
    const bool done = m_store->removePupil(name);
    return outcome(done, viewText(Message::TeacherPupilRemoved).arg(name));
}

EditOutcome StoreClassList::forgetPupil(const QString& name)
{
    const bool done = m_store->forgetPupil(name);
    return outcome(done, viewText(Message::TeacherPupilForgotten).arg(name));
}

EditOutcome StoreClassList::importPupils(const QString& path)
{
    QString report;
    const bool done = m_store->importPupils(path, &report);
    return outcome(done, report);
}

} // namespace teacherview
