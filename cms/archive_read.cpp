#include <cstring>

#include "cms/archive.h"
#include "cms/archive_chars.h"
#include "cms/revision_number.h"
#include "shell/format_buffer.h"

namespace {

bool IsDigit(int c) { return IsArchiveDigit(c); }
bool IsLetter(int c) { return IsArchiveLetter(c); }
bool IsIdChar(int c) { return IsArchiveIdChar(c); }

enum class Tok { Number, Ident, String, Colon, Semi, Eof };

const char* const kKeywords[] = {"Head", "Branch", "Access", "RevNames", "Locks", "Comment", "CmsVersion", "Binary",
                                 "Date", "Author", "State", "Branches", "Next", "Description", "Log", "Text"};

bool IsKeyword(const std::string& s) {
    for (const char* k : kKeywords)
        if (s == k) return true;
    return false;
}

struct Parser {
    std::string_view s;
    CmsArchive& a;
    ArchiveReadResult& result;
    size_t pos = 0;
    int line = 1;
    size_t pool = 0;
    Tok tok = Tok::Eof;
    std::string text;  // of the current number, identifier or string

    void Problem(bool error, const std::string& message) { result.problems.push_back({error, line, message}); }
    void Error(const std::string& m) { Problem(true, m); }
    void Warn(const std::string& m) { Problem(false, m); }

    // Reads the string that starts at pos (just after "@"); "@@" is one "@".
    void ReadString() {
        text.clear();
        int start_line = line;
        for (;;) {
            if (pos >= s.size()) {
                result.problems.push_back({true, start_line, "Missing end of string '@'"});
                tok = Tok::Eof;
                return;
            }
            char c = s[pos++];
            if (c == '\n') ++line;
            if (c == '@') {
                if (pos < s.size() && s[pos] == '@') {
                    ++pos;
                } else {
                    return;
                }
            }
            text.push_back(c);
        }
    }

    void Next() {
        for (;;) {
            while (pos < s.size() && (s[pos] == ' ' || s[pos] == '\t' || s[pos] == '\f' || s[pos] == '\n'))
                if (s[pos++] == '\n') ++line;
            if (pos >= s.size()) {
                tok = Tok::Eof;
                return;
            }
            unsigned char c = static_cast<unsigned char>(s[pos]);
            size_t start = pos;
            if (IsDigit(c)) {
                while (pos < s.size() && (IsDigit(s[pos]) || s[pos] == '.')) ++pos;
                tok = Tok::Number;
            } else if (IsLetter(c)) {
                while (pos < s.size() && (IsLetter(s[pos]) || IsDigit(s[pos]) || IsIdChar(s[pos]))) ++pos;
                tok = Tok::Ident;
            } else if (c == '@') {
                ++pos;
                tok = Tok::String;
                ReadString();
                return;
            } else if (c == ':' || c == ';') {
                ++pos;
                tok = c == ':' ? Tok::Colon : Tok::Semi;
                return;
            } else {
                ++pos;
                Error(FormatText("unknown Character: %c", c));
                continue;
            }
            text.assign(s.substr(start, pos - start));
            if (!(tok == Tok::Ident && IsKeyword(text)) && a.by_number.find(text) == a.by_number.end()) {
                pool += text.size() + 1;
                if (pool > kTokenPoolSize) {
                    Error("Token pool overflow: the archive holds too many names and numbers");
                    pos = s.size();
                    tok = Tok::Eof;
                }
            }
            return;
        }
    }

    bool At(const char* keyword) const { return tok == Tok::Ident && text == keyword; }
    bool Semicolon(const char* after) {
        if (tok == Tok::Semi) {
            Next();
            return true;
        }
        Warn(FormatText("Missing ';' after %s", after));
        return false;
    }
    Revision* Number(const char* what) {
        Revision* r = AddRevision(a, text);
        if (!r) Error(FormatText("Too many revisions in %s (at most %d)", what, kMaxRevisions));
        return r;
    }
    std::string Limited(size_t size) {
        if (text.size() >= size) {
            Error("string buffer overflow -- truncating string");
            text.resize(size - 1);
        }
        return text;
    }

    bool Admin() {
        if (!At("Head")) {
            Error("Missing head");
            return false;
        }
        Next();
        if (tok == Tok::Number) {
            if (FieldCount(text) % 2) Warn("Delta number required for head");
            a.head = Number("the head");
            Next();
        }
        Semicolon("head");
        if (At("Branch")) {
            Next();
            if (tok == Tok::Number) a.default_branch = text, Next();
            Semicolon("branch list");
        }
        if (At("Access")) {
            Next();
            while (tok == Tok::Ident) a.access.push_back(text), Next();
            Semicolon("access list");
        } else {
            Error("Missing access list");
        }
        if (At("RevNames")) {
            Next();
            Pairs("Missing ':' in symbolic name definition", "Missing number in symbolic name definition",
                  [&](const std::string& name) {
                      if (Revision* r = Number("symbolic names")) a.symbols.push_back({name, r});
                  });
            Semicolon("symbolic names");
        } else {
            Error("Missing symbols");
        }
        if (!At("Locks")) {
            Error("Missing locks");
            return false;
        }
        Next();
        Pairs("Missing ':' in lock", "Missing number in lock", [&](const std::string& user) {
            if (FieldCount(text) % 2) Warn("Delta number required for lock");
            if (Revision* r = Number("locks")) a.locks.push_back({user, r});
        });
        Semicolon("locks");
        if (At("Comment")) {
            Next();
            if (tok == Tok::String) a.comment = Limited(kCommentSize), Next();
            Semicolon("Comment");
        }
        if (At("CmsVersion")) {
            Next();
            if (tok == Tok::Number) a.version = int(FieldValue(text, 1)), Next();
            Semicolon("CmsVersion");
        }
        if (a.version > 1 && At("Binary")) {
            Next();
            if (tok == Tok::Number) a.binary = int(FieldValue(text, 1)), Next();
            Semicolon("Binary");
        }
        return true;
    }

    // identifier ":" number pairs; add is called with the number as the current token.
    template <class Add>
    void Pairs(const char* missing_colon, const char* missing_number, Add add) {
        while (tok == Tok::Ident) {
            std::string name = text;
            Next();
            if (tok == Tok::Colon) Next(); else Warn(missing_colon);
            if (tok != Tok::Number) {
                Warn(missing_number);
                continue;
            }
            add(name);
            Next();
        }
    }

    // One "keyword value ;" field of a revision record.
    void Field(const char* keyword, Tok kind, bool required, std::string& field) {
        if (!At(keyword)) {
            Error(FormatText("Missing %s", keyword));
            return;
        }
        Next();
        if (tok == kind) {
            field = text;
            Next();
        } else if (required) {
            Error(FormatText("Missing %s", keyword));
        }
        Semicolon(keyword);
    }

    void Records() {
        while (tok == Tok::Number) {
            if (FieldCount(text) % 2) {
                Warn("Delta number required");
                return;
            }
            Revision* r = Number("the revision records");
            if (!r) return;
            r->defined = true;
            Next();
            Field("Date", Tok::Number, true, r->date);
            Field("Author", Tok::Ident, true, r->author);
            Field("State", Tok::Ident, false, r->state);
            if (!At("Branches")) {
                Error("Missing branches");
                return;
            }
            Next();
            while (tok == Tok::Number) {
                if (FieldCount(text) % 2) {
                    Warn("Delta number required");
                    return;
                }
                Revision* b = Number("branches");
                if (!b) return;
                r->branches.push_back(b);
                Next();
            }
            Semicolon("branches");
            if (!At("Next")) {
                Error("Missing next");
                return;
            }
            Next();
            if (tok == Tok::Number) {
                if (FieldCount(text) % 2) Warn("Delta number required");
                r->next = Number("the revision records");
                Next();
            }
            Semicolon("next");
        }
    }

    void Texts() {
        while (tok == Tok::Number) {
            DeltaText t;
            t.number = text;
            Next();
            bool has_log = At("Log") && (Next(), tok == Tok::String);
            if (has_log) {
                t.log = Limited(kLogSize);
                Next();
            } else {
                Warn("Missing log entry");
            }
            if (!At("Text") || (Next(), tok != Tok::String)) {
                Error("Missing delta text");
                return;
            }
            t.text = std::move(text);
            text.clear();
            a.texts.push_back(std::move(t));
            Next();
        }
    }

    void CheckTree() {
        for (Revision& r : a.revisions) {
            bool referenced = &r == a.head || r.next || !r.branches.empty();
            if (!r.defined && referenced) Error(FormatText("Can't find delta for revision %s", r.number.c_str()));
        }
        for (const Revision& r : a.revisions) {
            if (r.next && !r.next->defined) Error(FormatText("Can't find delta for revision %s", r.next->number.c_str()));
            for (Revision* b : r.branches)
                if (!b->defined) Error(FormatText("Can't find delta for revision %s", b->number.c_str()));
            if (r.defined && !FindText(a, r.number))
                Error(FormatText("Can't find delta for revision %s", r.number.c_str()));
        }
        if (a.head && !a.head->defined) Error(FormatText("Can't find delta for revision %s", a.head->number.c_str()));
    }
};

}  // namespace

bool ArchiveReadResult::HasErrors() const {
    for (const ArchiveProblem& p : problems)
        if (p.error) return true;
    return false;
}

Revision* FindRevision(CmsArchive& archive, const std::string& number) {
    auto it = archive.by_number.find(number);
    return it == archive.by_number.end() ? nullptr : it->second;
}

Revision* AddRevision(CmsArchive& archive, const std::string& number) {
    if (Revision* r = FindRevision(archive, number)) return r;
    if (archive.revisions.size() >= size_t(kMaxRevisions)) return nullptr;
    archive.revisions.push_back(Revision{});
    Revision* r = &archive.revisions.back();
    r->number = number;
    archive.by_number[number] = r;
    return r;
}

DeltaText* FindText(CmsArchive& archive, const std::string& number) {
    for (DeltaText& t : archive.texts)
        if (t.number == number) return &t;
    return nullptr;
}

int DefinedRevisionCount(const CmsArchive& archive) {
    int n = 0;
    for (const Revision& r : archive.revisions) n += r.defined && r.mark != 'D';
    return n;
}

ArchiveReadResult ParseArchive(std::string_view text, CmsArchive& archive) {
    ArchiveReadResult result;
    size_t sig = strlen(kCmsSignature);
    if (text.substr(0, sig) != kCmsSignature) {
        result.problems.push_back({true, 1, FormatText("Incorrect signature in file %s", archive.path.c_str())});
        return result;
    }
    Parser p{text, archive, result, 0, 1, 0, Tok::Eof, {}};
    p.pos = sig;
    p.line = 2;
    p.Next();
    if (!p.Admin()) return result;
    p.Records();
    for (const CmsLock& l : archive.locks) l.revision->locked_by = l.user;
    if (p.At("Description") && (p.Next(), p.tok == Tok::String)) {
        archive.description = p.Limited(kDescriptionSize);
        p.Next();
    } else {
        p.Error("Missing descriptive text");
    }
    p.Texts();
    p.CheckTree();
    result.usable = !result.HasErrors();
    return result;
}

ArchiveReadResult ReadArchiveFile(CmsArchive& archive) {
    std::string text;
    if (!ReadTextFile(archive.path, text)) {
        ArchiveReadResult r;
        r.problems.push_back({true, 0, "File read or write error."});
        return r;
    }
    return ParseArchive(text, archive);
}
