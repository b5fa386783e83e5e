#include "cms/archive_information.h"

#include "cms/cms_operation.h"
#include "shell/format_buffer.h"

bool ReadArchiveInformation(CmsSession& session, const std::string& work_file, ArchiveInformation& info) {
    CmsOperation op(session, "log");
    if (!BeginOperation(op, work_file, ArchiveNeed::MustExist, Semaphore::MustBeFree)) return false;
    const CmsArchive& a = op.archive;
    info = {};
    info.archive_path = op.archive_path;
    if (a.head) info.head = a.head->number;
    info.default_branch = a.default_branch;
    for (const CmsLock& l : a.locks) info.locks.push_back(FormatText("%s %s", l.user.c_str(), l.revision->number.c_str()));
    info.access = a.access;
    for (const CmsSymbol& s : a.symbols)
        info.symbols.push_back(FormatText("  %s: %s;", s.name.c_str(), s.revision->number.c_str()));
    info.revision_count = DefinedRevisionCount(a);
    info.description = a.description;
    return true;
}
