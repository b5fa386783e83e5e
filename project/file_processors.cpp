#include "project/file_processors.h"

#include <algorithm>

#include "shell/format_buffer.h"
#include "shell/report.h"

namespace {

std::string Extension(const std::string& file) {
    std::string last = PathLastPart(file);
    size_t dot = last.rfind('.');
    return dot == std::string::npos ? std::string() : LowerText(last.substr(dot + 1));
}

std::string BaseName(const std::string& file) {
    std::string last = LowerText(PathLastPart(file));
    return last.substr(0, last.rfind('.'));
}

}  // namespace

FileProcessorSetting* FindFileProcessor(Project& p, const std::string& file) {
    std::string path = file.find('\\') == std::string::npos ? PathJoin(p.sources_dir, file) : file;
    std::string last = PathLastPart(path);
    for (FileProcessorSetting& fp : p.file_processors)
        if (SameTextNoCase(fp.input, path) || SameTextNoCase(fp.input, last) || SameTextNoCase(PathLastPart(fp.input), last)) return &fp;
    return nullptr;
}

const FileProcessorSetting* FindFileProcessor(const Project& p, const std::string& file) {
    return FindFileProcessor(const_cast<Project&>(p), file);
}

bool SetFileProcessor(Project& p, const std::string& file, const std::string& command, const std::string& output) {
    if (command.empty() || output.empty()) {
        ShowError("You must fill both fields");
        return false;
    }
    if (FileProcessorSetting* fp = FindFileProcessor(p, file)) {
        fp->command = command;
        fp->output = output;
    } else {
        p.file_processors.insert(p.file_processors.begin(), FileProcessorSetting{file, command, output});
    }
    return true;
}

std::string DefaultTool(const std::string& file) {
    std::string ext = Extension(file);
    if (ext == "c" || ext == "asm") return "rmc.exe";
    if (ext == "rc") return "rrc.exe";
    if (ext == "f") return "f2c.exe";
    if (ext == "obj" || ext == "res") return "rmclnk.exe";
    return "";
}

std::string DefaultOutput(const std::string& file) {
    std::string ext = Extension(file);
    if (ext == "c" || ext == "asm") return BaseName(file) + ".obj";
    if (ext == "rc") return BaseName(file) + ".res";
    if (ext == "obj" || ext == "res") return BaseName(file) + ".exe";
    return "";
}

bool ExpandMacros(const std::string& text, const std::string& prompt, const MacroContext& c, std::string& out) {
    out.clear();
    for (size_t i = 0; i < text.size(); ++i) {
        size_t close = text[i] == '$' ? text.find('$', i + 1) : std::string::npos;
        if (close == std::string::npos || close - i - 1 > 30) {
            out += text[i];
            continue;
        }
        std::string name = UpperText(text.substr(i + 1, close - i - 1));
        if (name == "FILE") {
            out += c.file;
        } else if (name == "HWND") {
            out += FormatText("0x%x", c.window);
        } else if (name == "CURRENT_TEXT" || name == "CURSOR") {
            out += c.current_text;
        } else if (name == "SELECTION") {
            if (c.selection_multiline) {
                ShowError("Impossible to send multi-line selection");
                return false;
            }
            out += c.selection;
        } else if (name == "EXE") {
            out += c.exe;
        } else if (name == "DIR") {
            out += c.current_dir;
        } else if (name == "ASK") {
            std::string answer;
            if (prompt.empty() || !c.ask || !c.ask(prompt, answer)) return false;
            out += answer;
        }
        out += ' ';
        i = close;
    }
    return true;
}

std::string ProgramPath(const Project& p) {
    if (p.exe.find('\\') != std::string::npos || !p.has_make || p.make.make_dir.empty()) return p.exe;
    return PathJoin(p.make.make_dir, p.exe);
}

std::string ConsoleBatchText(const std::string& command) {
    return "@echo off\n" + command + "\npause\nerase " + kConsoleBatchFile + "\n";
}

int FreeUtilityId(const std::vector<UtilitySetting>& utilities) {
    for (int id = kFirstUtilityId; id <= kLastUtilityId; ++id)
        if (std::none_of(utilities.begin(), utilities.end(),
                         [id](const UtilitySetting& u) { return u.id == std::to_string(id); }))
            return id;
    return 0;
}
