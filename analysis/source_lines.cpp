#include "analysis/source_lines.h"

std::vector<LineView> ViewLines(const std::vector<std::string>& lines) {
    std::vector<LineView> views;
    views.reserve(lines.size());
    for (const std::string& l : lines) views.push_back(LineView{l.data(), static_cast<int32_t>(l.size())});
    return views;
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        size_t stop = end;
        while (stop > start && text[stop - 1] == '\r') --stop;
        lines.emplace_back(text, start, stop - start);
        start = end + 1;
    }
    return lines;
}

std::string LinesAround(SourceLines text, int32_t line) {
    std::string joined;
    for (int32_t i = line - 2, first = line - 2 < 0 ? 0 : line - 2; i <= line && i < text.count; ++i) {
        if (i < 0) continue;
        if (i > first) joined += "\r\n";
        joined.append(text.lines[i].text, static_cast<size_t>(text.lines[i].length));
    }
    return joined;
}
