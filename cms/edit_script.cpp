#include "cms/edit_script.h"

namespace {

struct ScriptReader {
    std::string_view s;
    size_t pos = 0;

    bool AtEnd() const { return pos >= s.size(); }
    void SkipBlanks() {
        while (pos < s.size() && (s[pos] == ' ' || s[pos] == '\t')) ++pos;
    }
    bool Number(int& value) {
        SkipBlanks();
        size_t start = pos;
        long long v = 0;
        while (pos < s.size() && s[pos] >= '0' && s[pos] <= '9' && v < 1000000000) v = v * 10 + (s[pos++] - '0');
        value = int(v);
        return pos > start;
    }
    void SkipLine() {
        size_t end = s.find('\n', pos);
        pos = end == std::string_view::npos ? s.size() : end + 1;
    }
    std::string_view Line() {
        size_t start = pos;
        SkipLine();
        return s.substr(start, pos - start);
    }
};

}  // namespace

bool ApplyEditScript(const LineList& source, std::string_view script, ScriptOrigin origin, LineList& result,
                     std::string& error) {
    LineList src = source, out;
    out.reserve(src.size() + 16);
    size_t next = 0;  // index of the next source line to copy
    ScriptReader r{script};
    auto finish_pass = [&] {
        out.insert(out.end(), src.begin() + long(next), src.end());
        src.swap(out);
        out.clear();
        next = 0;
    };
    for (;;) {
        while (!r.AtEnd() && (r.s[r.pos] == ' ' || r.s[r.pos] == '\t' || r.s[r.pos] == '\n' || r.s[r.pos] == '\r'))
            ++r.pos;
        if (r.AtEnd() || (origin == ScriptOrigin::File && r.s[r.pos] == '@')) break;
        char command = r.s[r.pos++];
        int line = 0, count = 0;
        if (!r.Number(line)) {
            error = "missing line number in edit script";
            return false;
        }
        if (!r.Number(count)) {
            error = "incorrect range in edit script";
            return false;
        }
        r.SkipLine();
        if (command != 'd' && command != 'a') {
            error = std::string("unknown command in edit script: ") + command;
            return false;
        }
        // Lines before this one are copied; a command behind the position starts a new pass
        // over the result so far.
        size_t copy_to = command == 'd' ? size_t(line > 0 ? line - 1 : 0) : size_t(line);
        if (copy_to < next) finish_pass();
        if (copy_to > src.size()) {
            error = "EOF during edit";
            return false;
        }
        out.insert(out.end(), src.begin() + long(next), src.begin() + long(copy_to));
        next = copy_to;
        if (command == 'd') {
            if (line < 1 || next + size_t(count) > src.size()) {
                error = "EOF during edit";
                return false;
            }
            next += size_t(count);
        } else {
            for (int k = 0; k < count; ++k) {
                if (r.AtEnd()) {
                    error = "Incorrect CMS file: Unexpected EOF";
                    return false;
                }
                out.push_back(r.Line());
            }
        }
    }
    out.insert(out.end(), src.begin() + long(next), src.end());
    result.swap(out);
    return true;
}
