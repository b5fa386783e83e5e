#include "project/file_info.h"

#include <algorithm>

#include "project/file_processors.h"
#include "shell/format_buffer.h"
#include "shell/report.h"

namespace {

constexpr const char* kOutputNeeded = "You must enter the name of the output file that this processor will produce";

}  // namespace

FileInfoTexts DescribeFile(const FileFacts& f) {
    FileInfoTexts t;
    t.title = FormatText("Information about '%s'", LowerText(f.path).c_str());
    int percent = f.bytes > 0 ? static_cast<int>(f.bytes_before_caret * 100 / f.bytes) : 0;
    t.position = FormatText("Line %d (%d%%) Column %d", f.caret_line, percent, f.caret_column);
    t.size = FormatText("%ld bytes, %d lines", f.bytes, f.lines);
    t.marks = f.mark_line ? FormatText("Mark set at line %d, char %d", f.mark_line, f.mark_column) : "No marks";
    t.language = FormatText("%s, %d functions", f.language.empty() ? "--" : f.language.c_str(), f.functions);
    return t;
}

std::string ProjectFileFor(const Project& p, const std::string& path) {
    for (const std::string& f : p.files)
        if (SameTextNoCase(f, path) || SameTextNoCase(PathMadeAbsolute(f, p.sources_dir), path)) return f;
    for (const std::string& f : p.files)
        if (SameTextNoCase(PathLastPart(f), PathLastPart(path))) return f;
    return "";
}

void ProcessorFields(const Project& p, const std::string& file, std::string& command, std::string& output) {
    const FileProcessorSetting* fp = FindFileProcessor(p, file);
    command = fp ? fp->command : DefaultTool(file);
    output = fp ? fp->output : DefaultOutput(file);
}

bool ApplyProcessorFields(Project& p, const std::string& file, const std::string& command, const std::string& output) {
    FileProcessorSetting* fp = FindFileProcessor(p, file);
    if (!fp) {
        if (command.empty() || SameTextNoCase(command, DefaultTool(file))) return true;
        if (output.empty()) {
            ShowError(kOutputNeeded);
            return false;
        }
        p.file_processors.insert(p.file_processors.begin(), FileProcessorSetting{file, command, output});
        return true;
    }
    if (command.empty()) {
        if (Ask("Delete this file processor?"))
            p.file_processors.erase(p.file_processors.begin() + (fp - p.file_processors.data()));
        return true;
    }
    if (output.empty()) {
        ShowError(kOutputNeeded);
        return false;
    }
    fp->command = command;
    fp->output = output;
    return true;
}
