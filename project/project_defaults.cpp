#include "project/project_defaults.h"

#include "project/file_system.h"
#include "shell/format_buffer.h"
#include "shell/report.h"

bool EnsureMakeDirectory(Project& p, const ProjectEnvironment& env) {
    p.has_make = true;
    if (p.sources_dir.empty()) p.sources_dir = env.current_dir;
    if (!p.make.make_dir.empty()) return true;
    std::string first = PathJoin(p.sources_dir, "rmc"), candidate = first;
    for (int n = 1; FsIsDirectory(candidate); ++n) {
        if (n > 8) {
            ShowError(FormatText("Impossible to create a project subdir in\n%s", p.sources_dir.c_str()));
            return false;
        }
        candidate = first + std::to_string(n);
    }
    if (!FsMakeDirectory(candidate)) {
        ShowError(FormatText("Impossible to create a project subdir in\n%s", p.sources_dir.c_str()));
        return false;
    }
    p.make.make_dir = candidate;
    if (candidate != first) Inform(FormatText("Project directory is:\n%s", candidate.c_str()));
    return true;
}

void DefaultErrorFile(Project& p) {
    const std::string& dir = p.has_make && !p.make.make_dir.empty() ? p.make.make_dir : std::string(".");
    p.error_file = PathJoin(dir, PathLastPart(p.name) + ".err");
}

bool DefaultMakeDefinition(Project& p, const ProjectEnvironment& env) {
    if (!EnsureMakeDirectory(p, env)) {
        p.has_make = false;
        return false;
    }
    p.make.make_name = PathJoin(env.compiler_root, "bin\\make.exe");
    p.make.make_args.clear();
    p.compiler_flags |= kDebugInfo;
    if (IsDll(p)) p.entry_point = "LibMain";
    p.dbg_dir = p.make.make_dir;
    p.sources_dir = env.current_dir;
    DefaultErrorFile(p);
    p.includes = env.include_path;
    p.exe = p.name + TargetExtension(p);
    if (p.exe.find(".exe") != std::string::npos) p.dbg_exe_name = p.exe;
    p.debugger_arguments.clear();
    return true;
}

void CheckProjectPaths(Project& p, const ProjectEnvironment& env) {
    if (p.includes.empty()) p.includes = PathJoin(env.compiler_root, "include");
    if (p.sources_dir.empty()) p.sources_dir = p.project_path;
    if (p.error_file.empty()) DefaultErrorFile(p);
    if (SameTextNoCase(p.sources_dir, PathJoin(env.compiler_root, "bin")))
        Inform(FormatText("Warning:\nPlease do not use %s to put your sources", p.sources_dir.c_str()));
}
