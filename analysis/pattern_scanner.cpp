// The pattern scanner of assembler and user-defined languages: a function starts at a
// line matching the start pattern and ends at one matching the end pattern (or where
// the next begins when there is none).
#include "analysis/function_index.h"
#include "analysis/message_ids.h"
#include "analysis/scanners.h"
#include "editor/char_class.h"
#include "editor/regex.h"
#include "shell/format_buffer.h"
#include "shell/messages.h"
#include "shell/report.h"

namespace {

// The line without its comment: cut at the comment text where it is not inside
// single quotes.
int32_t CodeLength(const std::string& comment, const char* text, int32_t length) {
    if (comment.empty()) return length;
    bool quoted = false;
    for (int32_t i = 0; i < length; ++i) {
        if (text[i] == '\'') quoted = !quoted;
        if (!quoted && text[i] == comment[0] && length - i >= static_cast<int32_t>(comment.size()) &&
            comment.compare(0, comment.size(), text + i, comment.size()) == 0)
            return i;
    }
    return length;
}

}  // namespace

bool ScanPatternFunctions(const Language& lang, SourceLines text, const char* path, std::vector<FunctionRecord>* out) {
    out->clear();
    if (lang.start_function.empty()) return false;
    const bool fold = lang.flags & kLanguageIgnoreCase;
    CompiledRegex start, end;
    const bool has_end = !lang.end_function.empty();
    if (!CompileRegex(lang.start_function.c_str(), fold, &start)) return false;
    if (has_end && !CompileRegex(lang.end_function.c_str(), fold, &end)) return false;

    bool inside = false;
    std::string line;
    for (int32_t i = 0; i < text.count; ++i) {
        const LineView& l = text.lines[i];
        line.assign(l.text, CodeLength(lang.comment_chars, l.text, l.length));
        if (fold)
            for (char& c : line) c = static_cast<char>(UpperAscii(c));
        const int32_t n = static_cast<int32_t>(line.size());
        if (inside) {
            if (ExecuteRegex(end, line.data(), n, 0, nullptr)) {
                out->back().end_line = i + 1;
                inside = false;
            }
            continue;
        }
        RegexMatch m;
        if (!ExecuteRegex(start, line.data(), n, 0, &m)) continue;
        if (!has_end && !out->empty()) out->back().end_line = i;
        int32_t a = m.start[0];
        while (a < n && (line[a] == ' ' || line[a] == '\t')) ++a;
        int32_t b = a;
        while (b < n && line[b] != ' ' && line[b] != '\t') ++b;
        FunctionRecord f = MakeFunctionRecord(line.data() + a, b - a);
        f.start_line = f.header_line = f.body_line = i + 1;
        out->push_back(std::move(f));
        inside = has_end;
    }
    if (inside) ShowError(FormatText(MessageText(kMsgOpenFunction), path));
    if (!has_end && !out->empty()) out->back().end_line = text.count;
    return !out->empty();
}
