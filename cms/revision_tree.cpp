#include "cms/revision_tree.h"

#include <algorithm>
#include <cctype>

#include "cms/edit_script.h"
#include "cms/revision_number.h"
#include "shell/format_buffer.h"

namespace {

std::string Upper(std::string s) {
    for (char& c : s) c = char(toupper(static_cast<unsigned char>(c)));
    return s;
}

std::string FirstField(const std::string& n) { return CutFields(n, 1); }

bool Satisfies(const Revision* r, const RevisionLimits& l) {
    if (!l.date.empty() && CompareNumbers(r->date, l.date) > 0) return false;
    if (!l.author.empty() && Upper(r->author) != Upper(l.author)) return false;
    if (!l.state.empty() && r->state != l.state) return false;
    return true;
}

std::string NotFoundOnBranch(const std::string& branch, const RevisionLimits& l) {
    return FormatText("Cannot find revision on branch %s with a date before %s, author %s, and state %s.",
                      branch.c_str(), l.date.empty() ? "<now>" : l.date.c_str(),
                      l.author.empty() ? "<any>" : l.author.c_str(), l.state.empty() ? "<any>" : l.state.c_str());
}

bool CheckLimits(const Revision* r, const RevisionLimits& l, std::string& message) {
    const char* n = r->number.c_str();
    if (!l.date.empty() && CompareNumbers(r->date, l.date) > 0)
        message = FormatText("Revision %s has date %s.", n, r->date.c_str());
    else if (!l.author.empty() && Upper(r->author) != Upper(l.author))
        message = FormatText("Revision %s has author %s.", n, r->author.c_str());
    else if (!l.state.empty() && r->state != l.state)
        message = FormatText("Revision %s has state %s.", n, r->state.empty() ? "<empty>" : r->state.c_str());
    else
        return true;
    return false;
}

// Along one branch (first revision r, fields = the branch number's field count).
bool WalkBranch(Revision* r, const std::string& number, int fields, const RevisionLimits& limits, RevisionPath& path,
                std::string& message) {
    int n = FieldCount(number);
    if (n == fields) {
        size_t keep = 0;
        RevisionPath along;
        for (Revision* q = r; q; q = q->next) {
            along.push_back(q);
            if (Satisfies(q, limits)) keep = along.size();
        }
        if (!keep) {
            message = NotFoundOnBranch(number, limits);
            return false;
        }
        path.insert(path.end(), along.begin(), along.begin() + long(keep));
        return true;
    }
    path.push_back(r);
    while (r->next && CompareField(r->next->number, number, fields + 1) <= 0) path.push_back(r = r->next);
    if (n == fields + 1) return CheckLimits(r, limits, message);
    if (CompareFirstFields(r->number, number, fields + 1) != 0) {
        message = FormatText("Revision %s not present.", CutFields(number, fields + 1).c_str());
        return false;
    }
    if (r->branches.empty()) {
        message = FormatText("No side branches present for %s.", r->number.c_str());
        return false;
    }
    std::string branch = CutFields(number, fields + 2);
    for (Revision* b : r->branches)
        if (CompareFirstFields(b->number, number, fields + 2) == 0) return WalkBranch(b, number, fields + 2, limits, path, message);
    bool all_lower = std::all_of(r->branches.begin(), r->branches.end(),
                                 [&](Revision* b) { return CompareField(b->number, number, fields + 2) < 0; });
    message = FormatText(all_lower ? "Branch number %s too high." : "Branch number %s not present.", branch.c_str());
    return false;
}

bool TooSmall(const std::string& number, const std::string& than, std::string& message) {
    if (CompareNumbers(number, than) > 0) return false;
    message = FormatText("Number %s too small. It should be greater than %s", number.c_str(), than.c_str());
    return true;
}

// A lock on the predecessor held by the user goes away; one held by another stops the check-in.
bool SettleLock(CmsArchive& a, Revision* r, const std::string& user, NewRevisionPlan& plan, std::string& message) {
    for (const CmsLock& l : a.locks) {
        if (l.revision != r) continue;
        if (l.user != user) {
            message = FormatText("Version %s locked by %s", r->number.c_str(), l.user.c_str());
            return false;
        }
        plan.released_lock = r;
    }
    return true;
}

Revision* LastOf(Revision* r) {
    while (r->next) r = r->next;
    return r;
}

bool PlanBranch(CmsArchive& a, const std::string& asked, const std::string& user, Revision* point,
                NewRevisionPlan& plan, std::string& message) {
    int n = FieldCount(asked);
    bool odd = n % 2 != 0;
    if (!point) {
        std::string at = CutFields(asked, odd ? n - 1 : n - 2);
        point = FindRevision(a, at);
        if (!point || !point->defined) {
            message = FormatText("Branch %s not found", at.c_str());
            return false;
        }
    }
    plan.predecessor = point;
    plan.place = NewRevisionPlan::Place::NewBranch;
    if (point->branches.empty()) {
        plan.number = asked.empty() ? point->number + ".1.1" : odd ? asked + ".1" : asked;
        return true;
    }
    if (asked.empty()) {
        Revision* last = point->branches.back();
        plan.number = IncrementNumber(CutFields(last->number, FieldCount(last->number) - 1)) + ".1";
        return true;
    }
    int branch_fields = FieldCount(point->number) + 1;
    for (Revision* b : point->branches) {
        if (CompareFirstFields(b->number, asked, branch_fields) != 0 || FieldCount(b->number) != branch_fields + 1)
            continue;
        Revision* last = LastOf(b);
        if (odd) {
            plan.number = IncrementNumber(last->number);
        } else {
            plan.number = asked;
            if (TooSmall(asked, last->number, message)) return false;
        }
        plan.predecessor = last;
        plan.place = NewRevisionPlan::Place::EndOfBranch;
        return SettleLock(a, last, user, plan, message);
    }
    plan.number = odd ? asked + ".1" : asked;
    return true;
}

}  // namespace

bool NormaliseNumber(CmsArchive& archive, const std::string& input, std::string& number, std::string& message) {
    number.clear();
    size_t pos = 0;
    while (pos < input.size()) {
        size_t end = input.find('.', pos);
        if (end == std::string::npos) end = input.size();
        std::string field = input.substr(pos, end - pos);
        pos = end + 1;
        if (field.empty()) {
            if (end == input.size() - 1 || end == input.size()) continue;  // trailing period
            message = FormatText("Incorrect revision number: %s", input.c_str());
            return false;
        }
        if (isalpha(static_cast<unsigned char>(field[0]))) {
            auto s = std::find_if(archive.symbols.begin(), archive.symbols.end(),
                                  [&](const CmsSymbol& sym) { return sym.name == field; });
            if (s == archive.symbols.end()) {
                message = FormatText("Symbolic number %s is undefined.", field.c_str());
                return false;
            }
            field = s->revision->number;
        } else {
            if (!std::all_of(field.begin(), field.end(), [](char c) { return c >= '0' && c <= '9'; })) {
                message = FormatText("Incorrect revision number: %s", input.c_str());
                return false;
            }
            size_t z = field.find_first_not_of('0');
            field = z == std::string::npos ? "0" : field.substr(z);
        }
        if (!number.empty()) number += ".";
        number += field;
    }
    return true;
}

bool LookupRevision(CmsArchive& a, const std::string& number, const RevisionLimits& limits, RevisionPath& path,
                    std::string& message) {
    path.clear();
    if (!a.head) {
        message = "CMS file empty.";
        return false;
    }
    RevisionLimits l = limits;
    l.author = Upper(l.author);
    int n = FieldCount(number);
    Revision* r = a.head;
    path.push_back(r);
    if (n > 0) {
        while (r && CompareField(number, r->number, 1) < 0) {
            r = r->next;
            if (r) path.push_back(r);
        }
        if (!r) {
            message = FormatText("Branch number %s too low.", FirstField(number).c_str());
            return false;
        }
        if (CompareField(number, r->number, 1) > 0) {
            message = FormatText("Branch number %s not present.", FirstField(number).c_str());
            return false;
        }
    }
    if (n <= 1) {
        unsigned long field = FieldValue(n ? number : a.head->number, 1);
        for (; r && FieldValue(r->number, 1) == field; r = r->next) {
            if (path.back() != r) path.push_back(r);
            if (Satisfies(r, l)) return true;
        }
        message = NotFoundOnBranch(n ? number : FirstField(a.head->number), l);
        return false;
    }
    while (CompareFirstFields(r->number, number, 2) > 0) {
        Revision* next = r->next;
        if (!next || CompareField(next->number, number, 1) != 0) {
            message = FormatText("Revision number %s too low.", CutFields(number, 2).c_str());
            return false;
        }
        path.push_back(r = next);
    }
    if (n == 2) return CheckLimits(r, l, message);
    if (CompareFirstFields(r->number, number, 2) != 0) {
        message = FormatText("Revision %s not present.", CutFields(number, 2).c_str());
        return false;
    }
    Revision* point = r;
    if (point->branches.empty()) {
        message = FormatText("No side branches present for %s.", point->number.c_str());
        return false;
    }
    for (Revision* b : point->branches)
        if (CompareFirstFields(b->number, number, 3) == 0) return WalkBranch(b, number, 3, l, path, message);
    bool all_lower = std::all_of(point->branches.begin(), point->branches.end(),
                                 [&](Revision* b) { return CompareField(b->number, number, 3) < 0; });
    message = FormatText(all_lower ? "Branch number %s too high." : "Branch number %s not present.",
                         CutFields(number, 3).c_str());
    return false;
}

RevisionPath PathTo(CmsArchive& a, Revision* target) {
    RevisionPath path;
    std::string message;
    if (target) LookupRevision(a, target->number, {}, path, message);
    return path;
}

bool RebuildRevision(CmsArchive& a, const RevisionPath& path, std::string& text, std::string& message) {
    if (path.empty()) {
        message = "CMS file empty.";
        return false;
    }
    LineList lines, next;
    for (size_t i = 0; i < path.size(); ++i) {
        const DeltaText* t = FindText(a, path[i]->number);
        if (!t) {
            message = FormatText("Can't find delta for revision %s", path[i]->number.c_str());
            return false;
        }
        if (i == 0) {
            lines = SplitLines(t->text);
            continue;
        }
        if (!ApplyEditScript(lines, t->text, ScriptOrigin::Archive, next, message)) {
            message += FormatText(" (revision %s)", path[i]->number.c_str());
            return false;
        }
        lines.swap(next);
    }
    text = JoinLines(lines);
    return true;
}

void RemoveLock(CmsArchive& a, Revision* r) {
    a.locks.erase(std::remove_if(a.locks.begin(), a.locks.end(), [&](const CmsLock& l) { return l.revision == r; }),
                  a.locks.end());
    r->locked_by.clear();
}

bool ChooseNewNumber(CmsArchive& a, const std::string& asked_in, const std::string& user, NewRevisionPlan& plan,
                     std::string& message) {
    plan = NewRevisionPlan{};
    std::string asked = asked_in;
    if (!a.head) {
        if (asked.empty()) asked = a.default_branch;
        int n = FieldCount(asked);
        if (n > 2) {
            message = FormatText("Branch does not exist for %s", asked.c_str());
            return false;
        }
        plan.number = n == 0 ? "1.1" : n == 1 ? asked + ".1" : asked;
        return true;
    }
    if (asked.empty()) {
        for (const CmsLock& l : a.locks) {
            if (l.user != user) continue;
            Revision* r = l.revision;
            plan.released_lock = r;
            if (r == a.head) {
                plan.number = IncrementNumber(r->number);
                plan.predecessor = r;
                return true;
            }
            if (!r->next && FieldCount(r->number) > 2) {
                plan.number = IncrementNumber(r->number);
                plan.predecessor = r;
                plan.place = NewRevisionPlan::Place::EndOfBranch;
                return true;
            }
            Revision* released = plan.released_lock;
            bool ok = PlanBranch(a, "", user, r, plan, message);
            plan.released_lock = released;
            return ok;
        }
        // A default branch means its newest revision is the predecessor.
        if (FieldCount(a.default_branch) % 2) asked = a.default_branch;
        else asked = IncrementNumber(a.default_branch.empty() ? a.head->number : a.default_branch);
    }
    int n = FieldCount(asked);
    if (n >= 3) return PlanBranch(a, asked, user, nullptr, plan, message);
    plan.predecessor = a.head;
    if (n == 1)
        plan.number = FieldValue(asked, 1) == FieldValue(a.head->number, 1) ? IncrementNumber(a.head->number) : asked + ".1";
    else
        plan.number = asked;
    if (TooSmall(plan.number, a.head->number, message)) return false;
    return SettleLock(a, a.head, user, plan, message);
}

Revision* LinkNewRevision(CmsArchive& a, const NewRevisionPlan& plan) {
    if (FindRevision(a, plan.number) || int(a.revisions.size()) >= kMaxRevisions) return nullptr;
    Revision* r = AddRevision(a, plan.number);
    r->defined = true;
    if (plan.released_lock) RemoveLock(a, plan.released_lock);
    switch (plan.place) {
        case NewRevisionPlan::Place::Head:
            r->next = a.head;
            a.head = r;
            break;
        case NewRevisionPlan::Place::EndOfBranch:
            plan.predecessor->next = r;
            break;
        case NewRevisionPlan::Place::NewBranch: {
            auto& list = plan.predecessor->branches;
            auto at = std::find_if(list.begin(), list.end(),
                                   [&](Revision* b) { return CompareNumbers(b->number, r->number) > 0; });
            list.insert(at, r);
            break;
        }
    }
    return r;
}
