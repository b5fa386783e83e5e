#pragma once
// The read-only look at an archive that the CMS dialogs show: head, default branch,
// locks, access list, symbolic names, revision count and description.
#include <string>
#include <vector>

#include "cms/cms_session.h"

struct ArchiveInformation {
    std::string archive_path, head, default_branch;
    std::vector<std::string> locks;    // "%s %s": user, revision
    std::vector<std::string> access;
    std::vector<std::string> symbols;  // "  %s: %s;": name, revision
    int revision_count = 0;
    std::string description;
};

// The "log" operation: the archive must exist and no semaphore may be present; none is
// taken. False, reported, when the archive cannot be read.
bool ReadArchiveInformation(CmsSession& session, const std::string& work_file, ArchiveInformation& info);
