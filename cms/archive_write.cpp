#include "cms/archive.h"

#include <cstdio>

#include "cms/archive_chars.h"

namespace {

void AppendString(std::string& out, std::string_view text) {
    for (char c : text) {
        out.push_back(c);
        if (c == '@') out.push_back('@');
    }
}

// A log or description: "@", the doubled text, a line break unless it ends with one, "@".
void AppendBlock(std::string& out, std::string_view text) {
    out.push_back('@');
    AppendString(out, text);
    if (text.empty() || text.back() != '\n') out.push_back('\n');
    out.push_back('@');
}

void AppendRecords(std::string& out, const Revision* r) {
    if (!r || r->mark == 'D') return;
    out += "\n" + r->number + "\n";
    out += "Date     " + r->date + ";\n";
    out += "  Author " + r->author + ";\n";
    out += "  State " + r->state + ";\n";
    out += "Branches     \n";
    int shown = 0;
    for (const Revision* b : r->branches)
        if (b->mark != 'D') out += " " + b->number, ++shown;
    if (!shown) out += " ";
    out += ";\n";
    out += "Next     " + std::string(r->next && r->next->mark != 'D' ? r->next->number : "") + ";\n";
    AppendRecords(out, r->next);
    for (const Revision* b : r->branches) AppendRecords(out, b);
}

}  // namespace

std::string FormatArchive(const CmsArchive& a) {
    std::string out = kCmsSignature;
    out += "Head     " + std::string(a.head ? a.head->number : "");
    out += ";\nBranch   " + a.default_branch;
    out += ";\nAccess  ";
    for (const std::string& u : a.access) out += " " + u;
    if (a.access.empty()) out += " ";
    out += ";\nRevNames ";
    for (const CmsSymbol& s : a.symbols) out += " " + s.name + ":" + s.revision->number;
    if (a.symbols.empty()) out += " ";
    out += ";\nLocks   ";
    for (const CmsLock& l : a.locks) out += " " + l.user + ":" + l.revision->number;
    if (a.locks.empty()) out += " ";
    out += ";\nCmsVersion 2;\nBinary " + std::to_string(a.binary) + ";\n\n";
    AppendRecords(out, a.head);
    out += "\n\nDescription\n";
    AppendBlock(out, a.description);
    out += "\n\n";
    for (const DeltaText& t : a.texts) {
        auto it = a.by_number.find(t.number);
        if (it == a.by_number.end() || it->second->mark == 'D') continue;
        out += "\n\n" + t.number + "\nLog\n";
        AppendBlock(out, t.log);
        out += "\nText\n@";
        AppendString(out, t.text);
        out += "@\n";
    }
    return out;
}

std::string IdentifierProblem(const std::string& name) {
    char text[400];
    if (name.empty() || !IsArchiveLetter(name[0])) {
        snprintf(text, sizeof text, "Identifier %.300s does not start with letter", name.c_str());
        return text;
    }
    for (char c : name)
        if (!IsArchiveLetter(c) && !IsArchiveDigit(c) && !IsArchiveIdChar(c)) {
            snprintf(text, sizeof text, "Invalid character %c in identifier %.300s", c, name.c_str());
            return text;
        }
    return {};
}

bool IsIdentifier(const std::string& name) { return IdentifierProblem(name).empty(); }
