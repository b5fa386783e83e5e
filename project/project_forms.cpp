#include "project/project_forms.h"

#include "project/file_system.h"
#include "shell/format_buffer.h"
#include "shell/report.h"

namespace {

bool MakeDirectory(const std::string& dir) {
    if (FsIsDirectory(dir) || FsMakeDirectory(dir)) return true;
    ShowError(FormatText("Creation of %s impossible", dir.c_str()));
    return false;
}

bool DirectoryExists(const std::string& dir) {
    if (FsIsDirectory(dir)) return true;
    ShowError(FormatText("Directory %s doesn't exist", dir.c_str()));
    return false;
}

}  // namespace

bool CheckNewProjectName(const std::string& name, const std::vector<std::string>& projects) {
    for (const std::string& n : projects)
        if (SameTextNoCase(n, name)) {
            ShowError(FormatText("A project with name \"%s\" is already defined", name.c_str()));
            return false;
        }
    return CheckProjectName(name);
}

std::string OutputDirectoryFor(const std::string& path) { return path.empty() ? path : PathJoin(path, "rmc"); }

bool ApplyNewProjectForm(NewProjectForm& f, const std::vector<std::string>& projects, const std::string& user,
                         Project& p) {
    if (f.name.empty()) {
        ShowError("Empty project file?");
        return false;
    }
    if (f.path.empty()) {
        ShowError("You have to give a project path!");
        return false;
    }
    if (!CheckNewProjectName(f.name, projects)) return false;
    if (f.type != kWindowsApp && f.type != kConsoleApp && f.type != kDll && f.type != kStaticLibrary) {
        ShowError("Choose the type of the project");
        return false;
    }
    while (f.path.size() > 3 && f.path.back() == '\\') f.path.pop_back();
    if (f.output_dir.empty()) f.output_dir = OutputDirectoryFor(f.path);
    if (FsIsDirectory(f.output_dir) && !Ask(FormatText("Directory %s exists. Use it anyway?", f.output_dir.c_str())))
        return false;
    // The output directory usually lies below the path, which must be there first.
    if (!MakeDirectory(f.path) || !FsChangeDirectory(f.path) || !MakeDirectory(f.output_dir)) return false;
    std::string cms;
    if (f.use_cms) {
        cms = PathJoin(f.path, "CMS");
        if (!MakeDirectory(cms)) return false;
    }
    p.name = f.name;
    p.project_path = f.path;
    p.sources_dir = f.path;
    p.has_make = true;
    p.make.make_dir = f.output_dir;
    p.compiler_flags = f.type;
    p.project_flags = (p.project_flags & ~kUsesCms) | (f.use_cms ? kUsesCms : 0u);
    p.cms_directory = cms;
    p.users = {user};
    return true;
}

MakePageForm MakePageOf(const Project& p) {
    return MakePageForm{p.make.make_name, p.make.make_dir, p.sources_dir, p.debugger_arguments};
}

const char* ProjectTypeText(const Project& p) {
    if (IsLibrary(p)) return "Library";
    if (IsDll(p)) return "Dll";
    return IsConsole(p) ? "Console application" : "Windows application";
}

bool ApplyMakePage(const MakePageForm& f, Project& p) {
    std::string program = f.make_command.substr(0, f.make_command.find(' '));
    if (!FsIsFile(program)) {
        bool plain = program.find_first_of(";.") == std::string::npos;
        if (!plain || program.empty() || !FsIsFile(program + ".EXE")) {
            ShowError(FormatText("File %s not found!", program.c_str()));
            return false;
        }
    }
    std::string make_dir = f.make_dir.empty() ? FsWorkingDirectory() : f.make_dir;
    if (!DirectoryExists(make_dir)) return false;
    if (!f.sources_dir.empty() && !DirectoryExists(f.sources_dir)) return false;
    p.has_make = true;
    p.make.make_name = UpperText(f.make_command);
    p.make.make_dir = UpperText(make_dir);
    p.sources_dir = f.sources_dir;
    p.debugger_arguments = f.arguments;
    return true;
}
