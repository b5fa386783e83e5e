#include "analysis/string_table.h"

#include <cstdlib>

#include "analysis/char_reader.h"
#include "analysis/generated_file.h"
#include "analysis/message_ids.h"
#include "shell/format_buffer.h"
#include "shell/messages.h"
#include "shell/report.h"

namespace {

inline bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The literal's contents after its opening quote, escapes as written; a backslash at
// a line end continues on the next line.
std::string ReadLiteral(CharReader* r) {
    std::string s;
    while (!AtEnd(*r)) {
        const LineView& l = CurrentLine(*r);
        while (r->column < l.length) {
            char c = l.text[r->column++];
            if (c == '"') return s;
            if (c == '\\') {
                if (r->column >= l.length) break;
                s += c;
                c = l.text[r->column++];
            }
            s += c;
        }
        if (l.length == 0 || l.text[l.length - 1] != '\\') return s;  // ends with its line
        ++r->line;
        r->column = 0;
    }
    return s;
}

std::string Trimmed(const std::string& line) {
    size_t a = 0, b = line.size();
    while (a < b && IsBlank(line[a])) ++a;
    while (b > a && IsBlank(line[b - 1])) --b;
    return line.substr(a, b - a);
}

// The text before the last line that reads `closing` (blanks aside), or false.
bool CutBeforeClosingLine(const std::string& text, const char* closing, std::string* kept) {
    std::vector<std::string> lines = SplitLines(text);
    for (size_t i = lines.size(); i-- > 0;) {
        if (Trimmed(lines[i]) != closing) continue;
        kept->clear();
        for (size_t k = 0; k < i; ++k) *kept += lines[k] + "\n";
        return true;
    }
    return false;
}

bool BeginsWithMarker(const std::string& text) {
    std::string first = text.substr(0, text.find('\n'));
    while (!first.empty() && first.back() == '\r') first.pop_back();
    return first + "\n" == kStringTableMarker;
}

// The highest number in lines whose first word (after blanks) passes `pick`, read by
// `parse`; -1 when there is none.
template <typename Parse>
int32_t HighestNumber(const std::string& text, Parse parse) {
    int32_t highest = -1;
    for (const std::string& line : SplitLines(text)) {
        int32_t n = parse(Trimmed(line));
        if (n > highest) highest = n;
    }
    return highest;
}

int32_t NumberAfter(const std::string& s, size_t at) {
    if (at >= s.size() || s[at] < '0' || s[at] > '9') return -1;
    return static_cast<int32_t>(std::strtol(s.c_str() + at, nullptr, 10));
}

// "\t12,"... in a resource table.
int32_t ResourceNumber(const std::string& line) { return line.find(',') != std::string::npos ? NumberAfter(line, 0) : -1; }

// "#define\tSTR_00012\t12" in a header.
int32_t DefineNumber(const std::string& line) {
    if (line.rfind("#define", 0) != 0) return -1;
    size_t last = line.find_last_of(" \t");
    return last == std::string::npos ? -1 : NumberAfter(line, last + 1);
}

// "\"text\",\t/* 12 */" in an array.
int32_t ArrayNumber(const std::string& line) {
    if (line.empty() || line[0] != '"') return -1;
    size_t c = line.rfind("/* ");
    return c == std::string::npos ? -1 : NumberAfter(line, c + 3);
}

}  // namespace

std::string& StringSymbolPrefix() {
    static std::string prefix = "STR_";
    return prefix;
}

std::string StringSymbol(int32_t number) { return FormatText("%s%05d", StringSymbolPrefix().c_str(), number); }

void RenumberStrings(std::vector<StringEntry>* list, int32_t first) {
    for (StringEntry& e : *list) {
        e.number = first++;
        e.name = StringSymbol(e.number);
    }
}

bool CollectStrings(SourceLines text, const char* path, std::vector<StringEntry>* out) {
    out->clear();
    const std::string file = LastComponent(path);
    CharReader r = MakeCharReader(text, false);
    int32_t depth = 0, initialiser = -1;  // the depth an initialiser's braces opened at
    for (;;) {
        int ch = NextChar(&r);
        if (ch < 0) break;
        switch (ch) {
            case '/': SkipComment(&r); break;
            case '#': SkipPreprocessorLine(&r); break;
            case '\'':
                if (!SkipCharLiteral(&r)) {
                    ShowError(FormatText(MessageText(kMsgBadCharConstant), path, LineNumberOf(r)));
                    return false;
                }
                break;
            case '=': {
                const LineView& l = CurrentLine(r);
                int32_t c = r.column;
                while (c < l.length && IsBlank(l.text[c])) ++c;
                if (c < l.length && l.text[c] == '{' && initialiser < 0) {
                    r.column = c + 1;
                    initialiser = depth++;
                }
                break;
            }
            case '{': ++depth; break;
            case '}':
                if (depth > 0) --depth;
                if (depth == initialiser) initialiser = -1;
                break;
            case '"': {
                int32_t line = LineNumberOf(r), column = r.column;
                std::string s = ReadLiteral(&r);
                if (depth == 0 || initialiser >= 0 || s.empty()) break;
                StringEntry e;
                e.text = s;
                e.number = static_cast<int32_t>(out->size());
                e.name = StringSymbol(e.number);
                e.column = column;
                e.line = line;
                e.file = file;
                out->push_back(std::move(e));
                break;
            }
            default: break;
        }
    }
    return true;
}

bool WriteStringResource(const std::string& file_name, std::vector<StringEntry> list, bool with_names,
                         const char* document_path) {
    const std::string rc_name = WithExtension(file_name, ".rc"), h_name = WithExtension(file_name, ".h");
    std::string rc, header, kept;
    ReadResult rc_state = ReadExistingFile(rc_name, &rc);
    if (rc_state == ReadResult::Failed) return false;
    ReadResult h_state = with_names ? ReadExistingFile(h_name, &header) : ReadResult::Missing;
    if (h_state == ReadResult::Failed) return false;
    const bool rc_ours = rc_state == ReadResult::Read && BeginsWithMarker(rc);
    const bool h_ours = h_state == ReadResult::Read && BeginsWithMarker(header);
    if (with_names && h_state == ReadResult::Read && !h_ours &&
        !Ask(FormatText(MessageText(kMsgDestroyFile), h_name.c_str())))
        return false;

    std::string out;
    int32_t highest = -1;
    if (rc_ours) {
        if (!CutBeforeClosingLine(rc, "END", &out)) {
            ShowError(FormatText(MessageText(kMsgNoEndLine), rc_name.c_str()));
            return false;
        }
        highest = HighestNumber(rc, ResourceNumber);
        if (h_ours) highest = std::max(highest, HighestNumber(header, DefineNumber));
    } else {
        out = FormatText("%s\nSTRINGTABLE\nBEGIN\n", kStringTableMarker);
    }
    RenumberStrings(&list, highest + 1);
    out += FormatText("/* %s */\n", document_path);
    for (const StringEntry& e : list)
        out += FormatText("\t%s,\"%s\"\n", with_names ? e.name.c_str() : std::to_string(e.number).c_str(),
                          e.text.c_str());
    out += "END\n";
    if (!WriteGeneratedFile(rc_name, out)) return false;
    if (!with_names) return true;

    std::string h = h_ours ? header + "\n\n" : std::string(kStringTableMarker);
    h += FormatText("/* %s */\n", document_path);
    for (const StringEntry& e : list) h += FormatText("#define\t%s\t%d\n", e.name.c_str(), e.number);
    return WriteGeneratedFile(h_name, h);
}

bool WriteStringArray(const std::string& file_name, std::vector<StringEntry> list, const char* array_name,
                      const char* document_path) {
    std::string existing, out;
    ReadResult state = ReadExistingFile(file_name, &existing);
    if (state == ReadResult::Failed) return false;
    int32_t first = 0;
    if (state == ReadResult::Read && BeginsWithMarker(existing)) {
        if (!Ask(FormatText(MessageText(kMsgAppendStrings), file_name.c_str()))) return false;
        if (!CutBeforeClosingLine(existing, "};", &out)) {
            ShowError(FormatText(MessageText(kMsgNoArrayEnd), file_name.c_str()));
            return false;
        }
        first = HighestNumber(existing, ArrayNumber) + 1;
        out += FormatText("\t,\n/* strings from %s */\n", document_path);
    } else {
        if (state == ReadResult::Read && !Ask(FormatText(MessageText(kMsgDestroyFile), file_name.c_str())))
            return false;
        out = kStringTableMarker;
        out += FormatText("unsigned char *%s[]={\n/* strings from %s */\n", array_name, document_path);
    }
    RenumberStrings(&list, first);
    for (size_t i = 0; i < list.size(); ++i)
        out += FormatText("\t\"%s\"%c\t/* %d */\n", list[i].text.c_str(), i + 1 < list.size() ? ',' : ' ',
                          list[i].number);
    out += "};\n";
    return WriteGeneratedFile(file_name, out);
}
