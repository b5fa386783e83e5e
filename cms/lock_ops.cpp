#include "cms/lock_ops.h"

#include "cms/revision_tree.h"
#include "shell/format_buffer.h"

namespace {

const CmsLock* LockOf(const CmsArchive& a, const Revision* r) {
    for (const CmsLock& l : a.locks)
        if (l.revision == r) return &l;
    return nullptr;
}

}  // namespace

bool LockRevision(CmsOperation& op, Revision* r) {
    const std::string& user = op.session.user;
    AppendLogLine(op.session, FormatText("%s %s %s %s %s", "lock", r->number.c_str(), op.session.now().c_str(),
                                         user.c_str(), FileNamePart(op.archive_path).c_str()));
    if (std::string problem = IdentifierProblem(user); !problem.empty()) {
        OperationError(op, problem);  // the lock list could not be read back
        return false;
    }
    if (const CmsLock* l = LockOf(op.archive, r); l && l->user != user) {
        OperationError(op, FormatText("Version %s locked by %s", r->number.c_str(), l->user.c_str()));
        return false;
    }
    for (const CmsLock& l : op.archive.locks)
        if (l.user == user && l.revision != r) {
            OperationError(op, FormatText("you already locked revision %s; You can't lock several revisions.",
                                          l.revision->number.c_str()));
            return false;
        }
    if (!LockOf(op.archive, r)) {
        op.archive.locks.insert(op.archive.locks.begin(), CmsLock{user, r});
        r->locked_by = user;
    }
    OperationOutput(op, FormatText("%s locked", r->number.c_str()));
    return true;
}

bool UnlockRevision(CmsOperation& op, Revision* r) {
    const CmsLock* l = LockOf(op.archive, r);
    if (!l) {
        OperationError(op, FormatText("no lock set on revision %s", r->number.c_str()));
        return false;
    }
    if (l->user != op.session.user) {
        OperationError(op, FormatText("%s still locked by %s", r->number.c_str(), l->user.c_str()));
        return false;
    }
    RemoveLock(op.archive, r);
    OperationOutput(op, FormatText("%s unlocked", r->number.c_str()));
    return true;
}

Revision* DefaultLockTarget(CmsOperation& op) {
    CmsArchive& a = op.archive;
    if (!a.head) return nullptr;
    RevisionPath path;
    std::string message;
    if (!LookupRevision(a, a.default_branch, {}, path, message)) {
        OperationError(op, message);
        return nullptr;
    }
    return path.back();
}
