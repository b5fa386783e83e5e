#include <algorithm>
#include <filesystem>

#include "cms/cms_operation.h"
#include "cms/diff.h"
#include "cms/keywords.h"
#include "cms/lock_ops.h"
#include "cms/revision_number.h"
#include "cms/revision_ops.h"
#include "cms/revision_tree.h"
#include "cms/uuencode.h"
#include "shell/format_buffer.h"
#include "shell/report.h"

namespace {

bool Blank(const std::string& s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; });
}

bool CheckIdentifier(CmsOperation& op, const std::string& name) {
    std::string problem = IdentifierProblem(name);
    if (problem.empty()) return true;
    OperationError(op, problem);
    return false;
}

void RemoveWorkFile(CmsOperation& op) {
    std::error_code ec;
    std::filesystem::remove(WorkFilePath(op, op.work_file), ec);
}

// The log message of the new revision, or false when it cannot be stored whole.
bool LogMessage(CmsOperation& op, const PutRequest& rq, const NewRevisionPlan& plan, std::string& log) {
    if (!plan.predecessor && (plan.number == "1.1" || plan.number == "1.0")) {
        log = "Initial revision";
    } else if (Blank(rq.log)) {
        log = FormatText("Saved by %s  %s.\n", op.session.user.c_str(), op.session.now().c_str());
    } else {
        log = rq.log;
    }
    if (log.size() >= kLogSize) {
        OperationError(op, FormatText("Log message longer than %d characters", int(kLogSize) - 1));
        return false;
    }
    return true;
}

bool RunPut(CmsOperation& op, const PutRequest& rq) {
    CmsSession& s = op.session;
    if (!BeginOperation(op, rq.work_file, ArchiveNeed::MayBeNew, Semaphore::Take)) return false;
    CmsArchive& a = op.archive;
    if (!rq.quiet) OperationOutput(op, FormatText("%s becomes %s", rq.work_file.c_str(), op.archive_path.c_str()));
    std::string work_text;
    bool binary = IsBinaryWorkFile(rq.work_file);
    bool read = binary ? ReadFileBytes(WorkFilePath(op, rq.work_file), work_text)
                       : ReadTextFile(WorkFilePath(op, rq.work_file), work_text);
    if (binary) work_text = UuEncode(rq.work_file, work_text);
    if (!read) {
        OperationError(op, FormatText("File %s not found!", rq.work_file.c_str()));
        return false;
    }
    KeywordValues keys;
    std::string message, asked = rq.revision;
    if (rq.use_keywords) {
        if (!ScanKeywordValues(work_text, keys, message)) {
            OperationError(op, message);
            return false;
        }
        if (asked.empty()) asked = keys.revision;
        if (asked.empty()) {
            OperationError(op, FormatText("The indicated revision does not exist in %s", rq.work_file.c_str()));
            return false;
        }
        if (keys.date.empty()) AppendLogLine(s, FormatText("No date in %s", rq.work_file.c_str()));
        if (keys.author.empty()) AppendLogLine(s, FormatText("No author in %s", rq.work_file.c_str()));
    }
    std::string number;
    NewRevisionPlan plan;
    if (!NormaliseNumber(a, asked, number, message) || !ChooseNewNumber(a, number, s.user, plan, message)) {
        OperationError(op, message);
        return false;
    }
    if (!plan.predecessor) OperationOutput(op, FormatText("Initial revision: %s", plan.number.c_str()));
    else if (!rq.quiet)
        OperationOutput(op, FormatText("New revision %s, last revision was %s", plan.number.c_str(),
                                       plan.predecessor->number.c_str()));

    std::string author = !rq.author.empty() ? rq.author : !keys.author.empty() ? keys.author : s.user;
    std::string state = !rq.state.empty() ? rq.state : !keys.state.empty() ? keys.state : "Exp";
    std::string date = !keys.date.empty() ? keys.date : s.now();
    if (!CheckIdentifier(op, s.user) || !CheckIdentifier(op, author) || !CheckIdentifier(op, state) ||
        (!rq.symbol.empty() && !CheckIdentifier(op, rq.symbol)))
        return false;
    if (plan.predecessor && CompareNumbers(date, plan.predecessor->date) <= 0) {
        OperationError(op, FormatText("Date %s is not later than %s in existing revision %s", date.c_str(),
                                      plan.predecessor->date.c_str(), plan.predecessor->number.c_str()));
        return false;
    }
    std::string log;
    if (!LogMessage(op, rq, plan, log)) return false;
    bool keep = rq.keep || rq.lock;

    std::string old_text;
    if (plan.predecessor) {
        if (!RebuildRevision(a, PathTo(a, plan.predecessor), old_text, message)) {
            OperationError(op, message);
            return false;
        }
        if (old_text == work_text) {
            std::string same = FormatText("File %s is identical to revision %s", rq.work_file.c_str(),
                                          plan.predecessor->number.c_str());
            bool save = !rq.quiet && Ask((same + " Save anyway?").c_str());
            if (!save) {
                std::string aborted = FormatText("put aborted %s %s erased.", rq.work_file.c_str(), keep ? "not " : "");
                if (rq.quiet) {
                    OperationOutput(op, same);
                    OperationWarning(op, aborted);
                } else {
                    OperationOutput(op, aborted);
                }
                if (!keep) RemoveWorkFile(op);
                return false;
            }
        }
    }

    Revision* r = LinkNewRevision(a, plan);
    if (!r) {
        OperationError(op, FormatText("Revision %s refused: an archive holds at most %d revisions", plan.number.c_str(),
                                      kMaxRevisions));
        return false;
    }
    r->date = date;
    r->author = author;
    r->state = state;
    if (rq.lock && !LockRevision(op, r)) return false;
    if (!rq.symbol.empty()) {
        auto& symbols = a.symbols;
        symbols.erase(std::remove_if(symbols.begin(), symbols.end(), [&](const CmsSymbol& x) { return x.name == rq.symbol; }),
                      symbols.end());
        symbols.insert(symbols.begin(), CmsSymbol{rq.symbol, r});
    }

    if (binary) a.binary = 1;
    DeltaText text{plan.number, log, {}};
    if (!plan.predecessor) {
        if (!op.archive_exists) a.description = Blank(rq.log) ? std::string() : rq.log;
        text.text = work_text;
        a.texts.insert(a.texts.begin(), std::move(text));
    } else {
        LineList work_lines = SplitLines(work_text), old_lines = SplitLines(old_text);
        auto at = std::find_if(a.texts.begin(), a.texts.end(),
                               [&](const DeltaText& t) { return t.number == plan.predecessor->number; });
        if (plan.place == NewRevisionPlan::Place::Head) {
            // The head keeps the full text; the old head becomes a script back from it.
            at->text = FormatEditScript(DiffLines(work_lines, old_lines), old_lines);
            text.text = work_text;
            a.texts.insert(a.texts.begin(), std::move(text));
        } else {
            text.text = FormatEditScript(DiffLines(old_lines, work_lines), work_lines);
            a.texts.insert(at + 1, std::move(text));
        }
    }
    if (a.description.size() >= kDescriptionSize) {
        OperationError(op, "string buffer overflow -- truncating string");
        return false;
    }
    if (!WriteArchive(op)) return false;
    LogRevisionOperation(op, "put", r);
    if (!keep) RemoveWorkFile(op);
    return true;
}

}  // namespace

bool Put(CmsSession& session, const PutRequest& request) {
    CmsOperation op(session, "put");
    bool ok = RunPut(op, request);
    if (!request.quiet && !session.user.empty())
        OperationOutput(op, FormatText("Put command done. Termination code %d", ok ? 0 : 1));
    return ok;
}
