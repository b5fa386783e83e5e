#include <algorithm>

#include "cms/cms_operation.h"
#include "cms/delete_revisions.h"
#include "cms/lock_ops.h"
#include "cms/revision_ops.h"
#include "cms/revision_tree.h"
#include "shell/format_buffer.h"

namespace {

// A named revision that must exist exactly, or the default one.
Revision* Target(CmsOperation& op, const std::string& asked, const char* missing) {
    if (asked.empty()) return DefaultLockTarget(op);
    std::string number, message;
    if (!NormaliseNumber(op.archive, asked, number, message)) {
        OperationError(op, message);
        return nullptr;
    }
    Revision* r = FindRevision(op.archive, number);
    if (!r || !r->defined) OperationError(op, FormatText(missing, number.c_str()));
    return r && r->defined ? r : nullptr;
}

bool Unlock(CmsOperation& op, const std::string& asked) {
    CmsArchive& a = op.archive;
    if (!asked.empty()) {
        Revision* r = Target(op, asked, "Can't unlock nonexisting revision %s");
        return r && UnlockRevision(op, r);
    }
    if (!a.head) return OperationError(op, "Can't unlock an empty tree"), false;
    if (a.locks.empty()) return OperationError(op, "There are no locks set."), false;
    for (const CmsLock& l : a.locks)
        if (l.user == op.session.user) return UnlockRevision(op, l.revision);
    OperationError(op, FormatText("%s still locked by %s", a.locks.front().revision->number.c_str(),
                                  a.locks.front().user.c_str()));
    return false;
}

bool Bind(CmsOperation& op, const ChangeRequest& rq) {
    auto& symbols = op.archive.symbols;
    auto it = std::find_if(symbols.begin(), symbols.end(), [&](const CmsSymbol& s) { return s.name == rq.symbol; });
    if (rq.symbol_revision.empty()) {
        if (it == symbols.end()) return OperationError(op, FormatText("Can't delete nonexisting symbol %s", rq.symbol.c_str())), false;
        symbols.erase(it);
        return true;
    }
    std::string problem = IdentifierProblem(rq.symbol);
    if (!problem.empty()) return OperationError(op, problem), false;
    Revision* r = Target(op, rq.symbol_revision, "Revision %s does not exist");
    if (!r) return false;
    if (it != symbols.end()) {
        if (!rq.rebind)
            return OperationError(op, FormatText("symbolic name %s already bound to %s", rq.symbol.c_str(),
                                                 it->revision->number.c_str())),
                   false;
        symbols.erase(it);
    }
    symbols.insert(symbols.begin(), CmsSymbol{rq.symbol, r});
    return true;
}

bool Apply(CmsOperation& op, const ChangeRequest& rq) {
    CmsArchive& a = op.archive;
    if (rq.set_default_branch) {
        std::string number, message;
        if (!NormaliseNumber(a, rq.default_branch, number, message)) return OperationError(op, message), false;
        a.default_branch = a.head && number == a.head->number ? std::string() : number;
    }
    if (rq.set_access) {
        std::vector<std::string> list;
        for (const std::string& u : rq.access) {
            std::string problem = IdentifierProblem(u);
            if (!problem.empty()) return OperationError(op, problem), false;
            if (std::find(list.begin(), list.end(), u) == list.end()) list.push_back(u);
        }
        a.access = list;
    }
    if (rq.bind && !Bind(op, rq)) return false;
    if (rq.unlock && !Unlock(op, rq.unlock_revision)) return false;
    if (rq.lock) {
        Revision* r = Target(op, rq.lock_revision, "Can't lock nonexisting revision %s");
        if (!r || !LockRevision(op, r)) return false;
    }
    DeleteRevisions(op, rq.remove);
    if (rq.set_description) {
        if (rq.description.size() >= kDescriptionSize)
            return OperationError(op, "string buffer overflow -- truncating string"), false;
        a.description = rq.description;
    }
    return op.errors == 0 && WriteArchive(op);
}

}  // namespace

int ChangeArchive(CmsSession& session, const ChangeRequest& rq) {
    CmsOperation op(session, "change");
    if (!BeginOperation(op, rq.work_file, ArchiveNeed::MustExist, Semaphore::Take)) return 1;
    if (!rq.quiet) OperationOutput(op, FormatText("CMS file: %s", op.archive_path.c_str()));
    bool ok = Apply(op, rq);
    if (!ok) OperationOutput(op, FormatText("%s aborted; %s unchanged.", op.name.c_str(), op.archive_path.c_str()));
    OperationOutput(op, FormatText("%s done. Return code %d", op.name.c_str(), ok ? 0 : 1));
    return ok ? 0 : 1;
}
