#pragma once
// Finding revisions in the tree, rebuilding their texts and placing new revisions.
#include <string>
#include <vector>

#include "cms/archive.h"

// Leading zeros and a trailing period dropped, symbolic names replaced by their numbers.
bool NormaliseNumber(CmsArchive& archive, const std::string& input, std::string& number, std::string& message);

struct RevisionLimits {
    std::string date, author, state;  // empty: no limit
};

using RevisionPath = std::vector<Revision*>;  // from the head to the revision

bool LookupRevision(CmsArchive& archive, const std::string& number, const RevisionLimits& limits,
                    RevisionPath& path, std::string& message);

// The full text of the last revision of path (line breaks as LF).
bool RebuildRevision(CmsArchive& archive, const RevisionPath& path, std::string& text, std::string& message);

// The path from the head to an existing revision.
RevisionPath PathTo(CmsArchive& archive, Revision* revision);

// Where a new revision goes.
struct NewRevisionPlan {
    std::string number;
    Revision* predecessor = nullptr;  // none for the first revision
    enum class Place { Head, EndOfBranch, NewBranch } place = Place::Head;
    Revision* released_lock = nullptr;  // the user's lock that the check-in removes
};

bool ChooseNewNumber(CmsArchive& archive, const std::string& asked, const std::string& user, NewRevisionPlan& plan,
                     std::string& message);

// Enters the new revision into the table and the tree; null when the table is full.
Revision* LinkNewRevision(CmsArchive& archive, const NewRevisionPlan& plan);

void RemoveLock(CmsArchive& archive, Revision* revision);
