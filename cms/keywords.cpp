#include "cms/keywords.h"

#include <cstdio>
#include <cstring>

#include "cms/archive.h"
#include "shell/format_buffer.h"
#include "shell/messages.h"

namespace {

enum Key { Author = 1, Date, Header, Id, Locker, Log, CmsFile, RevisionKey, Source, State };
const char* const kNames[] = {"Author", "Date", "Header", "Id", "Locker", "Log", "CmsFile", "Revision", "Source", "State"};

bool EndsValue(char c) { return c == ' ' || c == '\n' || c == '\t' || c == '$' || c == '\r'; }

// A date and a time in any of "y.m.d.h.m.s", "y/m/d h:m:s", "y-m-d h:m:s" as a CMS date.
bool CmsDate(const std::string& date, const std::string& time, std::string& out) {
    std::string all = time.empty() ? date : date + "." + time;
    int f[6];
    char tail;
    for (char& c : all)
        if (c == '/' || c == '-' || c == ':') c = '.';
    if (sscanf(all.c_str(), "%d.%d.%d.%d.%d.%d%c", &f[0], &f[1], &f[2], &f[3], &f[4], &f[5], &tail) != 6) return false;
    if (f[1] < 1 || f[1] > 12 || f[2] < 1 || f[2] > 31 || f[3] < 0 || f[3] > 23 || f[4] < 0 || f[4] > 59 || f[5] < 0 ||
        f[5] > 60)
        return false;
    out = FormatText("%d.%d.%d.%d.%d.%d", f[0], f[1], f[2], f[3], f[4], f[5]);
    return true;
}

bool IsRevisionNumber(const std::string& s) {
    if (s.empty() || s.front() == '.' || s.back() == '.') return false;
    for (size_t i = 0; i < s.size(); ++i)
        if (!(s[i] >= '0' && s[i] <= '9') && !(s[i] == '.' && s[i - 1] != '.')) return false;
    return true;
}

struct Scanner {
    std::string_view text;
    size_t pos;
    std::string& message;

    void Blanks() {
        while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
    }
    // The next value (shorter than limit), or false with the message.
    bool Value(size_t limit, std::string& value) {
        Blanks();
        size_t start = pos;
        while (pos < text.size() && !EndsValue(text[pos])) ++pos;
        value.assign(text.substr(start, pos - start));
        if (value.empty()) {
            message = "Missing keyword value";
            return false;
        }
        if (value.size() >= limit) {
            message = "keyword value too long";
            return false;
        }
        return true;
    }
    bool Optional(size_t limit, std::string& value) {
        Blanks();
        if (pos >= text.size() || text[pos] == '$' || text[pos] == '\n') return true;
        return Value(limit, value);
    }
    bool Close() {
        Blanks();
        if (pos < text.size() && text[pos] == '$') {
            ++pos;
            return true;
        }
        message = FormatText("Closing %c missing on keyword", '$');
        return false;
    }
};

bool Identifier(const std::string& v, std::string& out, std::string& message) {
    message = IdentifierProblem(v);
    if (!message.empty()) return false;
    out = v;
    return true;
}

}  // namespace

bool ScanKeywordValues(std::string_view text, KeywordValues& v, std::string& message) {
    size_t pos = 0;
    while ((pos = text.find('$', pos)) != std::string_view::npos) {
        ++pos;
        int key = 0;
        for (int k = 0; k < 10 && !key; ++k) {
            size_t n = strlen(kNames[k]);
            if (text.substr(pos, n) == kNames[k] && pos + n < text.size() && text[pos + n] == ':') key = k + 1;
        }
        if (!key) continue;
        Scanner s{text, pos + strlen(kNames[key - 1]) + 1, message};
        std::string a, b, c, d, e, f, g;
        bool ok = true;
        switch (key) {
            case Author: ok = s.Value(32, a) && Identifier(a, v.author, message); break;
            case Date:
                ok = s.Value(256, a) && s.Optional(256, b);
                if (ok && !CmsDate(a, b, v.date)) message = "Bad date: " + a + (b.empty() ? "" : " " + b), ok = false;
                break;
            case RevisionKey:
                ok = s.Value(30, a);
                if (ok && !IsRevisionNumber(a)) message = "Bad revision number", ok = false;
                if (ok) v.revision = a;
                break;
            case State: ok = s.Value(32, a) && Identifier(a, v.state, message); break;
            case Locker: ok = s.Optional(32, v.locker); break;
            case CmsFile: ok = s.Value(250, v.file_name); break;
            case Log: ok = s.Value(256, v.file_name); break;
            case Source: ok = s.Value(256, v.path); break;
            case Header:
            case Id:
                // file, revision, date, time, author, state, locker
                ok = s.Value(key == Id ? 250 : 256, a) && s.Value(30, b) && s.Value(256, c) && s.Value(256, d) &&
                     s.Value(32, e) && s.Optional(32, f) && s.Optional(32, g);
                if (!ok) break;
                (key == Id ? v.file_name : v.path) = a;
                if (!IsRevisionNumber(b)) {
                    message = "Bad revision number";
                    ok = false;
                } else if (!CmsDate(c, d, v.date)) {
                    message = "Bad date: " + c + " " + d;
                    ok = false;
                } else {
                    v.revision = b;
                    ok = Identifier(e, v.author, message) && (f.empty() || Identifier(f, v.state, message));
                    v.locker = g;
                }
                break;
        }
        if (!ok || !s.Close()) return false;
        pos = s.pos;
        if (!v.author.empty() && !v.revision.empty() && !v.state.empty() && !v.date.empty() &&
            (!v.file_name.empty() || !v.path.empty()))
            break;
    }
    return true;
}

std::string CmsIdentificationLine(const std::string& file, const std::string& date, const std::string& id) {
    std::string value = id.empty() ? FormatText("$CmsFile: %s $ $Date: %s $", file.c_str(), date.c_str())
                                   : FormatText("$CmsFile: %s $ $Date: %s $ $ID: %s$", file.c_str(), date.c_str(), id.c_str());
    return std::string(MessageText(3999)) + "\"" + value + "\";";
}
