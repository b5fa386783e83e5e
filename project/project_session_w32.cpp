#include "project/project_session_w32.h"

#include <windows.h>

#include <algorithm>

#include "build/build_run_w32.h"
#include "build/build_state.h"
#include "build/makefile_host_w32.h"
#include "config/store.h"
#include "project/current_project.h"
#include "project/default_project.h"
#include "project/file_system.h"
#include "project/prj_file.h"
#include "project/project_commands_w32.h"
#include "project/project_window_w32.h"
#include "project/utilities_w32.h"
#include "shell/app_state_w32.h"
#include "shell/format_buffer.h"
#include "shell/frame_w32.h"
#include "shell/output_window_w32.h"
#include "shell/report.h"
#include "shell/settings_w32.h"
#include "shell/shell_hooks_w32.h"

namespace {

bool RefusedWhileBusy() {
    const char* busy = BuildBusyText();
    if (busy) ShowError(busy);
    return busy != nullptr;
}

void RememberProjectName(const std::string& name) {
    auto& list = g_config.projects;
    if (std::none_of(list.begin(), list.end(), [&](const std::string& n) { return SameTextNoCase(n, name); }))
        list.push_back(name);
}

std::string TitleName(const std::string& name) {
    std::string last = PathLastPart(name);
    last = last.substr(0, last.find('.'));
    return LowerText(last.substr(0, 14));
}

}  // namespace

ProjectEnvironment CurrentEnvironment() {
    return ProjectEnvironment{g_app ? g_app->compiler_root : std::string(), g_config.include_path, FsWorkingDirectory()};
}

void SaveCurrentProjectConfiguration() {
    Project* p = CurrentProject();
    if (!p || !g_project_open) return;
    g_config.project = ToSection(*p);
    g_config.current_project = p->name;
    RememberProjectName(p->name);
    if (g_shell_hooks.save_configuration) g_shell_hooks.save_configuration();
    else if (g_config.save_at_exit) SaveProjectSettings(*p);
}

bool OpenProjectNamed(const std::string& name) {
    if (RefusedWhileBusy()) return false;
    if (g_app && g_app->frame && IsZoomed(g_app->frame)) ShowWindow(g_app->frame, SW_RESTORE);
    if (CurrentProject() && !CloseCurrentProject(true)) return false;
    Project p;
    if (!LoadProject(name, p)) return false;
    std::string here = FsWorkingDirectory();
    if (p.project_path.empty()) {
        p.project_path = here;
    } else if (!SameTextNoCase(p.project_path, here)) {
        if (!FsIsDirectory(p.project_path)) ShowError(FormatText("Directory %s doesn't exist", p.project_path.c_str()));
        else FsChangeDirectory(p.project_path);
    }
    if (g_shell_hooks.open_file)
        for (const OpenFileEntry& f : p.open_files) g_shell_hooks.open_file(f.path.c_str(), false);
    // The stored CMS directory, read after this default, wins over it.
    if (p.cms_directory.empty()) p.cms_directory = PathJoin(FsWorkingDirectory(), "CMS");
    g_project = p;
    if (!g_project.has_make) DefaultMakeDefinition(g_project, CurrentEnvironment());
    if (!g_project.current_file.empty() && g_shell_hooks.open_file)
        g_shell_hooks.open_file(g_project.current_file.c_str(), false);
    if (!g_project.sources_dir.empty()) {
        g_project.sources_dir = UpperText(g_project.sources_dir);
        if (FsIsDirectory(g_project.sources_dir)) FsChangeDirectory(g_project.sources_dir);
    }
    g_project_open = true;
    g_config.current_project = g_project.name;
    RememberProjectName(g_project.name);
    if (g_app && g_app->frame) SetFrameTitle(TitleName(g_project.name).c_str());
    return true;
}

bool CloseCurrentProject(bool save) {
    if (RefusedWhileBusy()) return false;
    Project* p = CurrentProject();
    if (!p) return true;
    // The state is recorded before the save, so that the save writes it.
    if (g_app && g_app->frame) {
        RECT r;
        GetWindowRect(g_app->frame, &r);
        p->frame = {r.left, r.top, r.right - r.left, r.bottom - r.top};
    }
    p->project_path = FsWorkingDirectory();
    if (!p->has_make) DefaultMakeDefinition(*p, CurrentEnvironment());
    if (save) {
        SaveCurrentProjectConfiguration();
        if (g_project_open) SaveProject(*p, 1);
    }
    if (g_shell_hooks.close_all_documents && !g_shell_hooks.close_all_documents()) return false;
    if (g_app && g_app->output) SendMessageA(g_app->output, kOutSetCallback, 0, 0);
    if (HWND window = ProjectWindow()) DestroyWindow(window);
    ClearCurrentProject();
    g_config.current_project.clear();
    if (g_app && g_app->frame) SetFrameTitle(nullptr);
    return true;
}

bool CreateProject(const std::string& name, const std::string& path, uint32_t type) {
    if (RefusedWhileBusy() || !CheckProjectName(name)) return false;
    for (const std::string& n : g_config.projects)
        if (SameTextNoCase(n, name)) {
            ShowError(FormatText("This name ('%s') is already used as a project name", name.c_str()));
            return false;
        }
    std::string dir = path;
    while (dir.size() > 3 && dir.back() == '\\') dir.pop_back();
    if (!FsIsDirectory(dir) && !FsMakeDirectory(dir)) {
        ShowError(FormatText("Creation of %s impossible", dir.c_str()));
        return false;
    }
    if (CurrentProject() && !CloseCurrentProject(true)) return false;
    FsChangeDirectory(dir);
    Project p;
    p.name = name;
    p.project_path = dir;
    p.compiler_flags = type | kDebugInfo;
    if (!DefaultMakeDefinition(p, CurrentEnvironment())) return false;
    return AdoptNewProject(p);
}

bool AdoptNewProject(const Project& p) {
    g_project = p;
    g_project_open = true;
    if (!SaveProjectSettings(g_project) || !SaveProject(g_project, 1)) {
        ClearCurrentProject();
        return false;
    }
    RememberProjectName(p.name);
    g_config.current_project = p.name;
    if (g_app && g_app->frame) SetFrameTitle(TitleName(p.name).c_str());
    return true;
}

bool ImportProjectFile(const std::string& file, const std::string& new_location) {
    std::string bytes;
    if (!FsReadFile(file, bytes)) {
        FileNotFound(file.c_str());
        return false;
    }
    PrjFile prj;
    if (!ParsePrjFile(bytes, PathLastPart(file), prj)) return false;
    if (!OpenStore("Morla", true)) return false;
    std::vector<std::string> existing = ProjectSectionNames();
    CloseStore();
    if (!ImportPrjFile(prj, new_location, existing)) return false;
    RememberProjectName(prj.name);
    return true;
}

void InstallProjects() {
    InstallProjectCommands();
    AddUtilityMenuItems();
    InstallBuildPage();
    if (!g_config.current_project.empty()) {
        Project p;
        if (LoadProject(g_config.current_project, p)) {
            g_project = p;
            g_project_open = true;
            if (!g_project.has_make) DefaultMakeDefinition(g_project, CurrentEnvironment());
            if (g_app && g_app->frame) SetFrameTitle(TitleName(g_project.name).c_str());
        }
    }
}

bool DefaultProjectFromDocument(const std::string& path, const std::string& text) {
    Project p;
    if (!DefaultProjectFromFile(path, text, g_config.projects, CurrentEnvironment(), p)) return false;
    char user[257] = "";
    DWORD size = sizeof user;
    if (GetUserNameA(user, &size)) p.users = {user};
    if (CurrentProject() && !CloseCurrentProject(true)) return false;
    FsChangeDirectory(p.project_path);
    return AdoptNewProject(p);
}
