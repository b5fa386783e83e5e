#include "project/project_commands_w32.h"

#include <windows.h>
#include <commdlg.h>

#include <algorithm>
#include <cstdio>

#include "build/build_run_w32.h"
#include "build/build_state.h"
#include "build/compile_file_w32.h"
#include "build/makefile_host_w32.h"
#include "config/store.h"
#include "project/current_project.h"
#include "project/document_listing_w32.h"
#include "project/file_info_dialog_w32.h"
#include "project/file_list_dialog_w32.h"
#include "project/file_processors.h"
#include "project/file_system.h"
#include "project/prj_file.h"
#include "project/project_dialogs_w32.h"
#include "project/project_forms_w32.h"
#include "project/project_window_w32.h"
#include "project/project_session_w32.h"
#include "project/wizard.h"
#include "shell/app_state_w32.h"
#include "shell/dispatch.h"
#include "shell/format_buffer.h"
#include "shell/report.h"
#include "shell/close_dialog_w32.h"
#include "shell/settings_w32.h"
#include "shell/shell_hooks_w32.h"

namespace {

std::vector<std::string> ProjectNames() {
    std::vector<std::string> names;
    if (OpenStore("Morla", true)) {
        names = ProjectSectionNames();
        CloseStore();
    }
    return names;
}

bool ChooseProject(const char* button, std::string& name) {
    std::vector<std::string> names = ProjectNames();
    if (names.empty()) {
        ShowError("No project defined");
        return false;
    }
    return ChooseFromList("Open a project", button, names, name);
}

bool NeedsProjectWithMake(Project*& p) {
    p = CurrentProject();
    if (!p) {
        ShowError("No project defined");
        return false;
    }
    if (!p->has_make) {
        ShowError("Make parameters not defined");
        return false;
    }
    return true;
}

bool RefusedWhileBusy() {
    if (const char* busy = BuildBusyText()) {
        ShowError(busy);
        return true;
    }
    return false;
}

void OpenCommand() {
    std::string name;
    if (!RefusedWhileBusy() && ChooseProject("&Open", name)) OpenProjectNamed(name);
}

// Runs wizard.exe visibly, waits, and takes the files of its result file into the project.
// False when it yields no files.
bool RunWizard(Project& p) {
    std::string result = PathJoin(FsWorkingDirectory(), "wizard.tmp");
    unsigned frame = g_app ? static_cast<unsigned>(reinterpret_cast<uintptr_t>(g_app->frame)) : 0;
    std::string command = PathJoin(PathJoin(CurrentEnvironment().compiler_root, "bin"), WizardCommandLine(frame, p, result));
    int code = RunAndWait(command, SW_SHOW);
    std::string text;
    bool read = FsReadFile(result, text);
    FsDeleteFile(result);
    return code > 0 && read && ApplyWizardResult(text, p);
}

bool AskNewProjectName(std::string& name) {
    while (true) {
        if (!AskText("Project name?", "Enter the new project name", name) || name.empty()) return false;
        name = name.substr(0, 199);
        auto& list = g_config.projects;
        if (std::none_of(list.begin(), list.end(), [&](const std::string& n) { return SameTextNoCase(n, name); }))
            return true;
        ShowError(FormatText("This name ('%s') is already used as a project name", name.c_str()));
    }
}

// Opens the new project's files, asking first when there are many.
void OpenNewProjectFiles(const Project& p) {
    if (p.files.size() > 45 && !Ask(FormatText("Open %d files?", static_cast<int>(p.files.size())))) return;
    if (!g_shell_hooks.open_file) return;
    for (const std::string& f : p.files)
        if (PathLastPart(f).find(".RC") == std::string::npos)
            g_shell_hooks.open_file(UpperText(PathMadeAbsolute(f, FsWorkingDirectory())).c_str(), false);
}

void NewCommand() {
    if (RefusedWhileBusy() || !AskToSaveModifiedDocuments()) return;
    std::string name;
    Project p;
    if (!AskNewProjectName(name) || !DefineNewProject(name, p)) return;
    if (CurrentProject()) {
        if (!CloseCurrentProject(true)) return;
    } else {
        if (g_shell_hooks.save_configuration) g_shell_hooks.save_configuration();
        if (g_shell_hooks.close_all_documents && !g_shell_hooks.close_all_documents()) return;
    }
    bool wizard = !IsLibrary(p) && Ask("Do you want to use the wizard to generate the application skeleton?");
    bool files = wizard ? RunWizard(p) : EditProjectFiles(p);
    if (!files && !Ask("No files selected\nContinue with empty project?")) return;
    p.compiler_flags |= kDebugInfo;
    if (!DefaultMakeDefinition(p, CurrentEnvironment()) || !AdoptNewProject(p)) return;
    OpenNewProjectFiles(g_project);
    if (GenerateMakefile(g_project, CurrentEnvironment(), Win32MakefileHost())) {
        SaveProject(g_project, 1);
        ShowStatus("Makefile generation successful");
    }
}

void CloseCommand() {
    Project* p = CurrentProject();
    if (!p) {
        ShowError("No project defined");
        return;
    }
    if (!RefusedWhileBusy() && Ask(FormatText("%s %s?", "Close", p->name.c_str()))) CloseCurrentProject(true);
}

void EraseCommand() {
    std::string name;
    if (RefusedWhileBusy() || !ChooseProject("Erase", name)) return;
    if (!Ask(FormatText("%s %s", "Erase", name.c_str()))) return;
    if (CurrentProject() && SameTextNoCase(g_project.name, name) && !CloseCurrentProject(false)) return;
    if (!DeleteSection(name.c_str())) return;
    auto& list = g_config.projects;
    for (size_t i = 0; i < list.size(); ++i)
        if (SameTextNoCase(list[i], name)) list.erase(list.begin() + static_cast<long>(i--));
}

void ExportCommand() {
    std::string name;
    if (ChooseProject("Export", name)) {
        if (CurrentProject() && g_project.name == name) SaveCurrentProjectConfiguration();
        ExportProject(name, FsWorkingDirectory());
    }
}

void ImportCommand() {
    if (RefusedWhileBusy()) return;
    char file[MAX_PATH] = "";
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = g_app ? g_app->frame : nullptr;
    ofn.lpstrFilter = "Project files\0*.prj\0";
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrTitle = "Import a project file";
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
    if (!GetOpenFileNameA(&ofn)) return;
    std::string location = FsWorkingDirectory();
    std::string prompt = FormatText("Enter new path for project %s", PathLastPart(file).c_str());
    if (!AskText("Import a project file", prompt.c_str(), location) || location.empty()) return;
    if (ImportProjectFile(file, location)) {
        std::string bytes;
        PrjFile prj;
        FsReadFile(file, bytes);
        if (ParsePrjFile(bytes, file, prj)) OpenProjectNamed(prj.name);
    }
}

void LinkCommand() {
    Project* p;
    if (RefusedWhileBusy() || !NeedsProjectWithMake(p)) return;
    if (p->exe.empty()) {
        ShowError("Executable name not defined\nChange this in the linker options.");
        return;
    }
    std::string out = p->exe.find('\\') == std::string::npos ? PathJoin(p->make.make_dir, p->exe) : p->exe;
    if (!DeleteFileA(out.c_str()) && GetLastError() == ERROR_ACCESS_DENIED) {
        ShowError(FormatText("Impossible to erase %s", out.c_str()));
        return;
    }
    StartBuild();
}

void RebuildCommand() {
    Project* p;
    if (RefusedWhileBusy() || !NeedsProjectWithMake(p)) return;
    if (p->object_files.empty() && p->files.empty()) {
        ShowError("No object files defined in this project");
        return;
    }
    if (p->object_files.empty())
        for (const std::string& f : p->files) {
            std::string last = LowerText(PathLastPart(f));
            size_t dot = last.rfind('.');
            if (dot == std::string::npos || last.substr(dot) == ".obj") continue;
            std::string obj = last.substr(0, dot) + ".obj";
            if (std::find(p->object_files.begin(), p->object_files.end(), obj) == p->object_files.end())
                p->object_files.push_back(obj);
        }
    int deleted = 0;
    bool told = false;
    for (const std::string& obj : p->object_files) {
        std::string path = PathJoin(p->make.make_dir, obj);
        if (DeleteFileA(path.c_str())) {
            ++deleted;
        } else if (GetLastError() == ERROR_ACCESS_DENIED && !told) {
            told = true;
            ShowError(FormatText("Impossible to delete %s", path.c_str()));
        }
    }
    if (deleted) ShowStatus(FormatText("%d object files deleted", deleted));
    StartBuild();
}

void ExecuteCommand() { ExecuteProgram(false); }

}  // namespace

void ExecuteProgram(bool dump) {
    Project* p = CurrentProject();
    if (!p) {
        ShowError("No project defined");
        return;
    }
    if (!TargetIsUpToDate()) return;
    std::string program = ProgramPath(*p), saved = FsWorkingDirectory();
    bool moved = !p->dbg_dir.empty() && !SameTextNoCase(p->dbg_dir, saved) && FsChangeDirectory(p->dbg_dir);
    std::string command = dump ? "windump.exe " + p->exe : program + " " + p->debugger_arguments;
    if (IsConsole(*p) && !dump) {
        FILE* f = std::fopen(kConsoleBatchFile, "wb");
        if (!f) {
            ShowError("Last run is still active. Please close it first");
        } else {
            std::string text = ConsoleBatchText(command);
            std::fwrite(text.data(), 1, text.size(), f);
            std::fclose(f);
            command = std::string("cmd /c ") + kConsoleBatchFile;
        }
        if (!f) command.clear();
    }
    if (!command.empty()) {
        STARTUPINFOA si{};
        si.cb = sizeof si;
        si.dwFlags = STARTF_USESHOWWINDOW;
        si.wShowWindow = SW_SHOW;
        PROCESS_INFORMATION pi{};
        std::vector<char> line(command.begin(), command.end());
        line.push_back('\0');
        if (CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NEW_CONSOLE, nullptr, nullptr, &si, &pi)) {
            CloseHandle(pi.hThread);
            CloseHandle(pi.hProcess);
        } else {
            ShowError(FormatText("Impossible to execute '%s'", command.c_str()));
        }
    }
    if (moved) FsChangeDirectory(saved);
}

void InstallProjectCommands() {
    SetCommandHandler(1225, OpenCommand);
    SetCommandHandler(1229, NewCommand);
    SetCommandHandler(1198, CloseCommand);
    SetCommandHandler(1246, EraseCommand);
    SetCommandHandler(1274, ExportCommand);
    SetCommandHandler(1275, ImportCommand);
    SetCommandHandler(1267, GenerateMakefileCommand);
    SetCommandHandler(1270, RebuildCommand);
    SetCommandHandler(1271, LinkCommand);
    SetCommandHandler(1295, ExecuteCommand);
    SetCommandHandler(1290, CompileActiveFile);
    SetCommandHandler(1231, ProjectFilesCommand);
    SetCommandHandler(1228, ProjectParametersCommand);
    SetCommandHandler(1118, FileInformationCommand);
    SetCommandHandler(1262, ProjectWindowCommand);
    SetCommandHandler(1130, DocumentListingCommand);
}
