#include <filesystem>

#include "cms/cms_operation.h"
#include "cms/lock_ops.h"
#include "cms/revision_ops.h"
#include "cms/revision_tree.h"
#include "cms/uuencode.h"
#include "shell/format_buffer.h"
#include "shell/report.h"

namespace {

Revision* UsersLock(CmsArchive& a, const std::string& user) {
    for (const CmsLock& l : a.locks)
        if (l.user == user) return l.revision;
    return nullptr;
}

bool RunGet(CmsOperation& op, const GetRequest& rq) {
    CmsSession& s = op.session;
    bool changes_locks = rq.lock || rq.unlock;
    if (!BeginOperation(op, rq.work_file, ArchiveNeed::MustExist, changes_locks ? Semaphore::Take : Semaphore::MustBeFree))
        return false;
    CmsArchive& a = op.archive;
    std::string output = rq.output.empty() ? rq.work_file : rq.output;
    std::string output_path = WorkFilePath(op, output);
    if (!rq.quiet) OperationOutput(op, FormatText("%s becomes %s", op.archive_path.c_str(), output.c_str()));
    if (!a.head) {
        OperationError(op, "No revisions present. 'Get' stopped");
        return false;
    }
    std::string number, message;
    if (!NormaliseNumber(a, rq.revision, number, message)) {
        OperationError(op, message);
        return false;
    }
    if (number.empty() && rq.unlock)
        if (Revision* mine = UsersLock(a, s.user)) number = mine->number;
    if (number.empty()) number = a.default_branch;
    RevisionPath path;
    if (!LookupRevision(a, number, {rq.date, rq.author, rq.state}, path, message)) {
        if (!rq.quiet) OperationError(op, message);
        else ++op.errors;
        return false;
    }
    Revision* r = path.back();
    if (rq.lock && !LockRevision(op, r)) return false;
    if (rq.unlock && !UnlockRevision(op, r)) return false;
    OperationOutput(op, FormatText("revision %s%s", r->number.c_str(), rq.lock ? " (locked)" : rq.unlock ? " (unlocked)" : ""));

    if (!rq.overwrite && !s.replace_output && FileExists(output_path)) {
        if (rq.quiet || !Ask(FormatText("%s exists already. Erase it?", output.c_str()))) return false;
    }
    std::string text;
    if (!RebuildRevision(a, path, text, message)) {
        OperationError(op, message);
        return false;
    }
    if (changes_locks && !WriteArchive(op)) return false;
    std::string error, bytes;
    if (a.binary && !UuDecode(text, bytes, message)) {
        OperationError(op, message);
        return false;
    }
    if (!(a.binary ? ReplaceFileBytes(output_path, bytes, error) : ReplaceFileAtomically(output_path, text, error))) {
        OperationError(op, FormatText("Creation of %s impossible. Look at %s", output.c_str(), error.c_str()));
        return false;
    }
    LogRevisionOperation(op, "get", r);
    return true;
}

}  // namespace

bool Get(CmsSession& session, const GetRequest& request) {
    CmsOperation op(session, "get");
    bool ok = RunGet(op, request);
    if (!request.quiet && !session.user.empty()) OperationOutput(op, FormatText("'GET' done. return code %d", ok ? 0 : 1));
    return ok;
}
