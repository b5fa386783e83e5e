#pragma once
// The state of one CMS operation from its start to its end: the open archive, its
// semaphore file and the error count. The destructor is the clean-up every exit runs.
#include <string>

#include "cms/archive.h"
#include "cms/cms_session.h"

struct CmsOperation {
    CmsSession& session;
    std::string name;  // "put", "get", ...
    std::string work_file;
    std::string archive_path;
    CmsArchive archive;
    bool archive_exists = false;
    int errors = 0;
    bool holds_semaphore = false;

    CmsOperation(CmsSession& s, const char* operation) : session(s), name(operation) {}
    ~CmsOperation();
    CmsOperation(const CmsOperation&) = delete;
    CmsOperation& operator=(const CmsOperation&) = delete;
};

// Error box, "error" line in the log, counted.
void OperationError(CmsOperation& op, const std::string& text);
void OperationWarning(CmsOperation& op, const std::string& text);
void OperationOutput(CmsOperation& op, const std::string& line);

enum class ArchiveNeed { MayBeNew, MustExist };
enum class Semaphore { Take, MustBeFree };

// Checks the user and the names, takes the semaphore (with an atomic create-new, before the
// archive is read), reads the archive and checks the access list.
bool BeginOperation(CmsOperation& op, const std::string& work_file, ArchiveNeed need, Semaphore semaphore);

// Writes the archive through a complete temporary file in the CMS directory after
// checking that what is written reads back; the old archive is replaced only then.
bool WriteArchive(CmsOperation& op);

// The "put"/"get"/"lock"/"unlock"/"del" line of the log for revision r.
void LogRevisionOperation(CmsOperation& op, const char* what, Revision* r);

std::string WorkFilePath(const CmsOperation& op, const std::string& name);
