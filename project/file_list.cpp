#include "project/file_list.h"

#include <algorithm>
#include <sstream>

#include "shell/format_buffer.h"
#include "shell/report.h"

const FileType kProjectFileTypes[] = {
    {"C sources", "*.c"},          {"Eiffel sources", "*.e"}, {"Fortran", "*.f"},
    {"resources", "*.rc"},         {"binary resources", "*.res"}, {"object files", "*.obj"},
    {"Asm files", "*.asm"},        {"Libraries", "*.lib"},    {"All", "*.*"},
};

namespace {

std::string WithoutExtension(const std::string& name) {
    size_t dot = name.rfind('.'), slash = name.rfind('\\');
    return dot == std::string::npos || (slash != std::string::npos && dot < slash) ? name : name.substr(0, dot);
}

std::string Directory(const std::string& path) {
    size_t slash = path.rfind('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

}  // namespace

std::vector<std::string> ProjectFileList(const Project& p) {
    std::vector<std::string> list = p.files;
    std::istringstream words(p.libraries);
    for (std::string w; words >> w;) list.push_back(w);
    return list;
}

bool AddToFileList(std::vector<std::string>& list, const std::string& path, const std::string& current_dir) {
    std::string dir = Directory(path);
    std::string name = UpperText(dir.empty() || SameTextNoCase(dir, current_dir) ? PathLastPart(path) : path);
    if (std::find(list.begin(), list.end(), name) != list.end()) return false;
    for (const std::string& listed : list)
        if (WithoutExtension(listed) == WithoutExtension(name) &&
            !Ask(FormatText("Conflict between:\n'%s' and '%s'\nAdd anyway?", listed.c_str(), name.c_str())))
            return false;
    list.push_back(name);
    return true;
}

int TypedFileName(std::vector<std::string>& list, const std::string& typed, const std::string& where,
                  const std::string& current_dir, const std::string& compiler_root,
                  bool (*exists)(const std::string& path)) {
    if (typed.find('*') != std::string::npos) {
        for (int i = 0; i < kProjectFileTypeCount; ++i)
            if (SameTextNoCase(PathLastPart(typed), kProjectFileTypes[i].pattern)) return i;
        ShowError(FormatText("Files of type %s not supported", typed.c_str()));
        return -1;
    }
    std::string path = PathMadeAbsolute(typed, where);
    if (exists(path)) {
        AddToFileList(list, path, current_dir);
        return -2;
    }
    std::string lib = PathJoin(PathJoin(compiler_root, "lib"), typed);
    if (LowerText(typed).find(".lib") != std::string::npos && typed.find('\\') == std::string::npos && exists(lib)) {
        if (Ask(lib.c_str())) AddToFileList(list, lib, current_dir);
        return -2;
    }
    FileNotFound(typed.c_str());
    return -2;
}

bool ApplyFileList(const std::vector<std::string>& list, Project& p) {
    if (list.empty()) {
        ShowError("No files specified");
        return false;
    }
    p.files.clear();
    p.libraries.clear();
    for (const std::string& name : list) {
        if (UpperText(name).find(".LIB") == std::string::npos) {
            p.files.push_back(name);
        } else {
            if (!p.libraries.empty()) p.libraries += ' ';
            p.libraries += name;
        }
    }
    return true;
}
