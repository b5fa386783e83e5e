#include "cms/delete_revisions.h"

#include <algorithm>

#include "cms/diff.h"
#include "cms/revision_number.h"
#include "cms/revision_tree.h"
#include "shell/format_buffer.h"
#include "shell/report.h"

namespace {

// Where the tree refers to a revision: the head, a next link, or a branch list entry.
struct Link {
    Revision** slot = nullptr;
    Revision* owner = nullptr;  // the revision holding the link, null for the head
    bool branch = false;
};

Link LinkTo(CmsArchive& a, Revision* r) {
    if (a.head == r) return {&a.head, nullptr, false};
    for (Revision& q : a.revisions) {
        if (q.mark == 'D' || !q.defined) continue;
        if (q.next == r) return {&q.next, &q, false};
        for (Revision*& b : q.branches)
            if (b == r) return {&b, &q, true};
    }
    return {};
}

bool Rebuild(CmsOperation& op, Revision* r, std::string& text) {
    std::string message;
    if (RebuildRevision(op.archive, PathTo(op.archive, r), text, message)) return true;
    OperationError(op, message);
    return false;
}

// The revisions an element names, or empty after reporting why there are none.
std::vector<Revision*> Range(CmsOperation& op, const std::string& element) {
    CmsArchive& a = op.archive;
    std::string number, message;
    if (!NormaliseNumber(a, element, number, message)) {
        OperationError(op, message);
        return {};
    }
    int n = FieldCount(number);
    Revision* first = nullptr;
    if (n % 2 == 0) {
        first = FindRevision(a, number);
    } else if (Revision* point = FindRevision(a, CutFields(number, n - 1)); point && point->mark != 'D') {
        for (Revision* b : point->branches)
            if (CompareFirstFields(b->number, number, n) == 0 && FieldCount(b->number) == n + 1) first = b;
    }
    if (!first || !first->defined || first->mark == 'D') {
        OperationError(op, FormatText("Revision %s does not exist", number.c_str()));
        return {};
    }
    std::vector<Revision*> range{first};
    if (n % 2)
        while (range.back()->next) range.push_back(range.back()->next);
    for (Revision* r : range) {
        if (!r->branches.empty()) {
            OperationError(op, FormatText("Can't remove branch point %s", r->number.c_str()));
            return {};
        }
        if (!r->locked_by.empty()) {
            OperationError(op, FormatText("Revision %s is locked. Removal impossible, unlock it first", r->number.c_str()));
            return {};
        }
    }
    return range;
}

void DeleteOne(CmsOperation& op, const std::string& element) {
    CmsArchive& a = op.archive;
    std::vector<Revision*> range = Range(op, element);
    if (range.empty()) return;
    Link link = LinkTo(a, range.front());
    Revision* after = range.back()->next;
    if (!link.slot) {
        OperationError(op, FormatText("Revision %s does not exist", range.front()->number.c_str()));
        return;
    }
    if (!link.owner && !after && !Ask("Do you really want to delete all revisions ?")) {
        OperationOutput(op, "No revision deleted");
        return;
    }
    std::string after_text, before_text;
    if (after && (!Rebuild(op, after, after_text) || (link.owner && !Rebuild(op, link.owner, before_text)))) return;
    for (Revision* r : range) {
        OperationOutput(op, FormatText("deleting revision %s ", r->number.c_str()));
        LogRevisionOperation(op, "del", r);
    }
    for (Revision* r : range) r->mark = 'D';
    auto& symbols = a.symbols;  // names of deleted revisions would name nothing
    symbols.erase(std::remove_if(symbols.begin(), symbols.end(), [](const CmsSymbol& s) { return s.revision->mark == 'D'; }),
                  symbols.end());
    *link.slot = after;
    if (link.branch && !after) {
        auto& list = link.owner->branches;
        list.erase(std::remove(list.begin(), list.end(), nullptr), list.end());
    }
    if (!after) return;
    DeltaText* t = FindText(a, after->number);
    if (!link.owner) {
        t->text = after_text;  // the new head keeps its full text
        return;
    }
    LineList before_lines = SplitLines(before_text), after_lines = SplitLines(after_text);
    t->text = FormatEditScript(DiffLines(before_lines, after_lines), after_lines);
}

}  // namespace

void DeleteRevisions(CmsOperation& op, const std::vector<std::string>& elements) {
    for (const std::string& e : elements) DeleteOne(op, e);
}
