#pragma once

#include "teacherview/ClassListEditor.h"

#include <memory>

namespace results {
class ResultsStore;
}

namespace teacherview {

// The class list of this computer account's results store, as the view edits it.
class StoreClassList final : public ClassListEditor {
public:
    explicit StoreClassList(std::shared_ptr<results::ResultsStore> store);

    EditOutcome addPupil(const QString& name) override;
    EditOutcome renamePupil(const QString& from, const QString& to) override;
    EditOutcome removePupil(const QString& name) override;
    EditOutcome forgetPupil(const QString& name) override;
    EditOutcome importPupils(const QString& path) override;

private:
    EditOutcome outcome(bool done, const QString& doneLine) const;

    std::shared_ptr<results::ResultsStore> m_store;
};

} // namespace teacherview
