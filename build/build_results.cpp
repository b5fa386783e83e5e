#include "build/build_results.h"

#include "project/project.h"
#include "shell/format_buffer.h"

std::vector<std::string> MessageLines(const std::string& bytes, bool& too_big) {
    too_big = false;
    std::vector<std::string> lines;
    std::string line;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (i >= kMaxMessageBytes) {
            too_big = true;
            break;
        }
        if (bytes[i] == '\n') {
            lines.push_back(line);
            line.clear();
            continue;
        }
        line += bytes[i];
        if (line.size() > kMaxMessageLine) {
            too_big = true;
            line.clear();
            break;
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

std::vector<std::string> ResultLines(const std::vector<std::string>& messages, const BuildOutcome& o) {
    double seconds = o.build_time / 1000.0;
    if (messages.empty() && o.exit_code == 0)
        return {FormatText("%s built sucessfully. (%3.1f sec).", PathLastPart(o.exe).c_str(), seconds)};
    std::vector<std::string> lines = messages;
    lines.push_back(FormatText("Compilation + link time:%3.1f sec, Return code: %d", seconds, o.exit_code));
    return lines;
}

std::vector<std::string> WrapLine(const std::string& line, bool (*fits)(const std::string&, void*), void* context) {
    std::vector<std::string> out;
    std::string rest = line;
    while (!fits(rest, context)) {
        size_t cut = rest.size();
        while (cut > 30 && !fits(rest.substr(0, cut), context)) --cut;
        if (cut <= 30) break;
        for (size_t p = cut; p-- > 30;)
            if (rest[p] == ' ' || rest[p] == '(') {
                if (cut - p < 15) cut = p;
                break;
            }
        out.push_back(rest.substr(0, cut));
        rest = " + " + rest.substr(cut);
    }
    out.push_back(rest);
    return out;
}

std::string JoinContinuations(const std::vector<std::string>& lines, size_t clicked, size_t* first) {
    if (lines.empty()) return "";
    size_t i = clicked < lines.size() ? clicked : lines.size() - 1;
    while (i > 0 && lines[i].rfind(" + ", 0) == 0) --i;
    if (first) *first = i;
    std::string text = lines[i];
    for (size_t j = i + 1; j < lines.size() && lines[j].rfind(" + ", 0) == 0; ++j) text += lines[j].substr(3);
    return text;
}
