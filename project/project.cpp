#include "project/project.h"

#include <algorithm>
#include <cctype>

#include "config/store.h"
#include "shell/format_buffer.h"
#include "shell/report.h"

namespace {

enum : uint16_t { kCmsDirectory = 4140 };

std::string Numbered(const char* pattern, int a, int b = 0) {
    char name[64];
    FormatInto(name, sizeof name, pattern, a, b);
    return name;
}

bool WriteFileList(const Project& p) {
    bool ok = WriteInt("PrjFiles", static_cast<long>(p.files.size()));
    for (size_t i = 0; ok && i < p.files.size(); ++i) {
        int n = static_cast<int>(i + 1);
        ok = WriteString(Numbered("File%d", n).c_str(), p.files[i].c_str());
        const FileDependencies* deps = nullptr;
        for (const FileDependencies& d : p.file_dependencies)
            if (d.file == p.files[i]) deps = &d;
        std::string count_name = Numbered("File%dDependencies", n), old;
        if (!deps || deps->depends_on.empty()) {
            // A value left from an earlier list would give this file another's dependencies.
            if (ok && ReadString(count_name.c_str(), old)) ok = WriteInt(count_name.c_str(), 0);
            continue;
        }
        ok = ok && WriteInt(count_name.c_str(), static_cast<long>(deps->depends_on.size()));
        for (size_t j = 0; ok && j < deps->depends_on.size(); ++j)
            ok = WriteString(Numbered("File%dDependencies%d", n, static_cast<int>(j + 1)).c_str(),
                             deps->depends_on[j].c_str());
    }
    return ok;
}

bool WriteUsersAndOptions(const Project& p) {
    bool ok = WriteInt("UserCount", static_cast<long>(p.users.size()));
    for (size_t i = 0; ok && i < p.users.size(); ++i)
        ok = WriteString(Numbered("User%d", static_cast<int>(i + 1)).c_str(), p.users[i].c_str());
    return ok && WriteStringById(kCmsDirectory, p.cms_directory.c_str()) && WriteInt("PutOptions", p.put_options) &&
           WriteInt("GetOptions", p.get_options) && WriteInt("FileOptions", p.file_options) &&
           WriteInt("LockOptions", p.lock_options) && WriteInt("UsersOptions", p.users_options) &&
           WriteString("UserName", p.user_name.c_str());
}

void ReadFileList(Project& p) {
    p.files.clear();
    p.file_dependencies.clear();
    int count = ReadInt("PrjFiles", 0);
    std::string text;
    for (int n = 1; n <= count && ReadString(Numbered("File%d", n).c_str(), text); ++n) {
        p.files.push_back(UpperText(text));
        int m = ReadInt(Numbered("File%dDependencies", n).c_str(), 0);
        FileDependencies deps{p.files.back(), {}};
        for (int j = 1; j <= m && ReadString(Numbered("File%dDependencies%d", n, j).c_str(), text); ++j)
            deps.depends_on.push_back(text);
        if (!deps.depends_on.empty()) p.file_dependencies.push_back(deps);
    }
    p.users.clear();
    int users = ReadInt("UserCount", 0);
    for (int n = 1; n <= users && ReadString(Numbered("User%d", n).c_str(), text); ++n) p.users.push_back(text);
    ReadString("CmsDirectory", p.cms_directory);
    p.put_options = ReadInt("PutOptions", 4);
    p.get_options = ReadInt("GetOptions", 0);
    p.file_options = ReadInt("FileOptions", 0);
    p.lock_options = ReadInt("LockOptions", 0);
    p.users_options = ReadInt("UsersOptions", 1);
    ReadString("UserName", p.user_name);
}

}  // namespace

const char* TargetExtension(const Project& p) {
    if (IsLibrary(p)) return ".lib";
    if (IsDll(p)) return ".dll";
    return ".exe";
}

bool CheckProjectName(const std::string& name) {
    if (name.empty()) {
        ShowError("Empty project file?");
        return false;
    }
    if (name.find_first_of(" \t\\") != std::string::npos) {
        ShowError(FormatText("The project name '%s' must not contain blanks or backslashes", name.c_str()));
        return false;
    }
    if (name.size() > kMaxProjectName) {
        ShowError(FormatText("The project name '%s' is longer than %d characters", name.c_str(),
                             static_cast<int>(kMaxProjectName)));
        return false;
    }
    return true;
}

void AddFileToProject(Project& p, const std::string& name) {
    std::string upper = UpperText(name);
    if (std::find(p.files.begin(), p.files.end(), upper) == p.files.end()) p.files.insert(p.files.begin(), upper);
}

ProjectSection ToSection(const Project& p) {
    ProjectSection s;
    s.frame = p.frame;
    s.status_bar = p.status_bar;
    s.name = p.name;
    s.current_file = p.current_file;
    s.open_files = p.open_files;
    s.project_path = p.project_path;
    s.sources_dir = p.sources_dir;
    s.defines = p.defines;
    s.includes = p.includes;
    s.libraries = p.libraries;
    s.linker_args = p.linker_args;
    s.compiler_flags = static_cast<int>(p.compiler_flags);
    s.project_flags = static_cast<int>(p.project_flags);
    s.fortran_flags = p.fortran_flags;
    s.eiffel_flags = p.eiffel_flags;
    s.error_file = p.error_file;
    s.has_make = p.has_make;
    if (p.has_make) {
        s.make_name = p.make.make_name;
        s.make_args = p.make.make_args;
        s.make_dir = p.make.make_dir;
        s.exe = p.exe;
    }
    s.debugger_arguments = p.debugger_arguments;
    s.dbg_exe_name = p.dbg_exe_name;
    s.dbg_dir = p.dbg_dir;
    s.breakpoints = p.breakpoints;
    s.file_processors = p.file_processors;
    return s;
}

void FromSection(const ProjectSection& s, Project& p) {
    p.frame = s.frame;
    p.status_bar = s.status_bar;
    if (!s.name.empty()) p.name = s.name;
    p.current_file = s.current_file;
    p.open_files = s.open_files;
    p.project_path = s.project_path;
    p.sources_dir = s.sources_dir;
    p.defines = s.defines;
    p.includes = s.includes;
    p.libraries = s.libraries;
    p.linker_args = s.linker_args;
    p.compiler_flags = static_cast<uint32_t>(s.compiler_flags);
    p.project_flags = static_cast<uint32_t>(s.project_flags);
    p.fortran_flags = s.fortran_flags;
    p.eiffel_flags = s.eiffel_flags;
    p.error_file = s.error_file;
    p.has_make = s.has_make;
    p.make = s.has_make ? MakeDefinition{s.make_name, s.make_args, s.make_dir} : MakeDefinition{};
    p.exe = s.has_make ? s.exe : std::string();
    p.debugger_arguments = s.debugger_arguments;
    p.dbg_exe_name = s.dbg_exe_name;
    p.dbg_dir = s.dbg_dir;
    p.breakpoints = s.breakpoints;
    p.file_processors = s.file_processors;
}

bool SaveProjectSettings(const Project& p) { return !p.name.empty() && SaveProjectSection(p.name.c_str(), ToSection(p)); }

bool SaveProject(const Project& p, int parts) {
    if (p.name.empty() || !OpenStore(p.name.c_str(), false)) return false;
    bool ok = !(parts & 1) || (WriteFileList(p) && WriteUsersAndOptions(p));
    CloseStore();
    return ok;
}

bool LoadProject(const std::string& name, Project& p) {
    ProjectSection s;
    if (!LoadProjectSection(name.c_str(), s)) return false;
    p = Project{};
    p.name = name;
    FromSection(s, p);
    p.name = name;  // the section's key is the project, whatever its Name value says
    if (!OpenStore(name.c_str(), false)) return false;
    ReadFileList(p);
    CloseStore();
    return true;
}

std::string UpperText(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::string LowerText(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

bool SameTextNoCase(const std::string& a, const std::string& b) { return UpperText(a) == UpperText(b); }

std::string PathLastPart(const std::string& path) {
    size_t cut = path.find_last_of("\\/");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string PathJoin(const std::string& dir, const std::string& name) {
    if (dir.empty()) return name;
    if (dir.back() == '\\' || dir.back() == '/') return dir + name;
    return dir + "\\" + name;
}

std::string PathMadeAbsolute(const std::string& name, const std::string& dir) {
    bool drive = name.size() >= 2 && std::isalpha(static_cast<unsigned char>(name[0])) && name[1] == ':';
    if (drive || (!name.empty() && (name[0] == '\\' || name[0] == '/'))) return name;
    return PathJoin(dir, name);
}
