#include "config/value_formats.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstdio>

#include "shell/format_buffer.h"

namespace {

// A decimal number at `*p` (blanks before it allowed); advances past it.
bool TakeNumber(const char*& p, int& value) {
    char* end = nullptr;
    errno = 0;
    long long n = std::strtoll(p, &end, 10);
    if (end == p || errno == ERANGE || n < INT_MIN || n > INT_MAX) return false;
    value = static_cast<int>(n);
    p = end;
    return true;
}

bool NumberField(const std::string& text, int& value) {
    const char* p = text.c_str();
    if (!TakeNumber(p, value)) return false;
    while (*p == ' ') ++p;
    return *p == '\0';
}

}  // namespace

std::string FormatRect(const ConfigRect& r, char separator) {
    return separator == ','
               ? FormatText("%d,%d,%d,%d", r.left, r.top, r.right, r.bottom)
               : FormatText("%d %d %d %d", r.left, r.top, r.right, r.bottom);
}

bool ParseRect(const std::string& text, ConfigRect& rect) {
    ConfigRect r;
    const char* p = text.c_str();
    int* fields[] = {&r.left, &r.top, &r.right, &r.bottom};
    for (int i = 0; i < 4; ++i) {
        if (i > 0) {
            while (*p == ' ') ++p;
            if (*p == ',') ++p;
        }
        if (!TakeNumber(p, *fields[i])) return false;
    }
    rect = r;
    return true;
}

std::string FormatAccelerator(const AcceleratorChange& c) {
    return FormatText("%4d%4d%4d%4d", c.index, c.key, c.command, c.flags);
}

// Four columns each, except that a command too wide for its four (such as 14000) widens
// the third field: the flags are always the last four columns.
bool ParseAccelerator(const std::string& text, AcceleratorChange& change) {
    if (text.size() < 16) return false;
    AcceleratorChange c;
    if (!NumberField(text.substr(0, 4), c.index) || !NumberField(text.substr(4, 4), c.key) ||
        !NumberField(text.substr(8, text.size() - 12), c.command) ||
        !NumberField(text.substr(text.size() - 4), c.flags))
        return false;
    change = c;
    return true;
}

std::string FormatOpenFile(const OpenFileEntry& e) {
    return FormatText("%s %d %d %d %d %d", e.path.c_str(), e.line, e.left, e.top, e.right, e.bottom);
}

// The five numbers are taken from the end, so a path may hold blanks.
bool ParseOpenFile(const std::string& text, OpenFileEntry& entry) {
    OpenFileEntry e;
    int* fields[] = {&e.bottom, &e.right, &e.top, &e.left, &e.line};
    size_t end = text.size();
    for (int* field : fields) {
        while (end > 0 && text[end - 1] == ' ') --end;
        size_t start = text.find_last_of(' ', end == 0 ? 0 : end - 1);
        if (start == std::string::npos || start == 0) return false;
        if (!NumberField(text.substr(start + 1, end - start - 1), *field)) return false;
        end = start;
    }
    while (end > 0 && text[end - 1] == ' ') --end;
    if (end == 0) return false;
    e.path = text.substr(0, end);
    entry = e;
    return true;
}

std::vector<std::string> EncodeMacroLines(const std::string& text) {
    std::vector<std::string> lines;
    for (size_t i = 0; i < text.size(); i += kMacroBytesPerLine) {
        std::string line;
        for (size_t j = i; j < text.size() && j < i + kMacroBytesPerLine; ++j) {
            char code[4];
            std::snprintf(code, sizeof code, "%03d", static_cast<unsigned char>(text[j]));
            line += code;
        }
        lines.push_back(line);
    }
    return lines;
}

bool DecodeMacroLine(const std::string& line, size_t length, std::string& text) {
    for (size_t i = 0; i < line.size() && text.size() < length; i += 3) {
        int code = 0;
        if (!NumberField(line.substr(i, 3), code) || code < -128 || code > 255) return false;
        text += static_cast<char>(code);
    }
    return true;
}

std::vector<std::string> PackKeywords(const std::vector<std::string>& keywords) {
    std::vector<std::string> values;
    for (size_t i = 0; i < keywords.size(); ++i) {
        if (i % kKeywordsPerValue == 0)
            values.emplace_back();
        else
            values.back() += ' ';
        values.back() += keywords[i];
    }
    return values;
}

void UnpackKeywords(const std::string& value, size_t count, std::vector<std::string>& keywords) {
    size_t start = 0;
    while (keywords.size() < count && start < value.size()) {
        size_t end = value.find(' ', start);
        if (end == std::string::npos) end = value.size();
        if (end > start) keywords.push_back(value.substr(start, end - start));
        start = end + 1;
    }
}

std::string FormatBreakpoint(const BreakpointSetting& b) { return FormatText("%s@%d", b.file.c_str(), b.line); }

bool ParseBreakpoint(const std::string& text, BreakpointSetting& breakpoint) {
    size_t at = text.find('@');
    int line = 0;
    if (at == std::string::npos || at == 0 || !NumberField(text.substr(at + 1), line)) return false;
    breakpoint = BreakpointSetting{text.substr(0, at), line};
    return true;
}

std::string FormatFileProcessor(const FileProcessorSetting& p) {
    return FormatText("%s#%s#%s", p.input.c_str(), p.command.c_str(), p.output.c_str());
}

bool ParseFileProcessor(const std::string& text, FileProcessorSetting& processor) {
    constexpr size_t kPartLength = 400;
    size_t first = text.find('#');
    if (first == std::string::npos) return false;
    size_t second = text.find('#', first + 1);
    if (second == std::string::npos) return false;
    processor = FileProcessorSetting{text.substr(0, std::min(first, kPartLength)),
                                     text.substr(first + 1, std::min(second - first - 1, kPartLength)),
                                     text.substr(second + 1, kPartLength)};
    return true;
}
