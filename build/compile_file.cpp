#include "build/compile_file.h"

#include "shell/format_buffer.h"
#include "shell/report.h"

bool ProjectHoldsFile(const Project& p, const std::string& file) {
    std::string last = PathLastPart(file);
    for (const std::string& f : p.files)
        if (SameTextNoCase(f, file) || SameTextNoCase(f, last) || SameTextNoCase(PathLastPart(f), last)) return true;
    return false;
}

bool CompiledObjectFile(const Project& p, const std::string& file, std::string& object) {
    std::string last = PathLastPart(file);
    size_t dot = last.rfind('.');
    if (dot == std::string::npos) {
        ShowError(FormatText("Error in object file name %s", last.c_str()));
        return false;
    }
    object = PathJoin(p.make.make_dir, last.substr(0, dot) + ".obj");
    return true;
}
