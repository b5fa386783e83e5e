#include "project/project_forms_w32.h"

#include <windows.h>

#include "config/compiler_root.h"
#include "project/current_project.h"
#include "project/dialog_fields_w32.h"
#include "project/file_system.h"
#include "project/project_forms.h"
#include "project/project_session_w32.h"
#include "shell/dialog_template_w32.h"
#include "shell/report.h"
#include "shell/settings_w32.h"

namespace {

enum : int {
    kName = 101, kPath, kBrowse, kOutput, kSingleUser, kMultiUser, kUseCms, kWindows, kConsole, kLibrary, kDllType,
    kHelp, kType, kMakeCommand, kMakeDir, kExe, kSources, kArguments, kProjectName
};

struct NewProjectDialog {
    NewProjectForm form;
    Project* project;
};

std::string UserName() {
    char user[257] = "";
    DWORD size = sizeof user;
    return GetUserNameA(user, &size) ? user : "";
}

void Radio(DialogTemplate& t, short x, short y, short cx, int id, const char* text, bool first) {
    t.Item(BS_AUTORADIOBUTTON | WS_TABSTOP | (first ? WS_GROUP : 0), x, y, cx, 10, static_cast<WORD>(id), kButtonClass,
           text);
}

NewProjectForm ReadNewProjectForm(HWND dialog) {
    NewProjectForm f;
    f.name = ItemText(dialog, kName);
    f.path = ItemText(dialog, kPath);
    f.output_dir = ItemText(dialog, kOutput);
    f.multi_user = IsDlgButtonChecked(dialog, kMultiUser) == BST_CHECKED;
    f.use_cms = IsDlgButtonChecked(dialog, kUseCms) == BST_CHECKED;
    f.type = 0;
    const std::pair<int, uint32_t> types[] = {{kWindows, kWindowsApp}, {kConsole, kConsoleApp},
                                              {kLibrary, kStaticLibrary}, {kDllType, kDll}};
    for (const auto& [id, bit] : types)
        if (IsDlgButtonChecked(dialog, id) == BST_CHECKED) f.type = bit;
    return f;
}

INT_PTR CALLBACK NewProjectProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* d = DialogRecord<NewProjectDialog>(dialog, message, lparam);
    if (message == WM_INITDIALOG) {
        SetItemText(dialog, kName, d->form.name);
        SetItemText(dialog, kPath, d->form.path);
        SetItemText(dialog, kOutput, OutputDirectoryFor(d->form.path));
        CheckDlgButton(dialog, kSingleUser, BST_CHECKED);
        CheckDlgButton(dialog, kConsole, BST_CHECKED);
        return TRUE;
    }
    if (message != WM_COMMAND) return FALSE;
    int id = LOWORD(wparam), code = HIWORD(wparam);
    if (id == kName && code == EN_KILLFOCUS) {
        std::string name = ItemText(dialog, kName);
        // Only a move within the dialog checks the name, so that Cancel can still leave.
        HWND focus = GetFocus();
        if (!name.empty() && focus != GetDlgItem(dialog, IDCANCEL) && IsChild(dialog, focus) &&
            !CheckNewProjectName(name, g_config.projects)) {
            SetItemText(dialog, kName, "");
            SetFocus(GetDlgItem(dialog, kName));
        }
    } else if (id == kPath && code == EN_KILLFOCUS) {
        SetItemText(dialog, kOutput, OutputDirectoryFor(ItemText(dialog, kPath)));
    } else if (id == kBrowse) {
        std::string dir;
        if (g_store_platform.ask_directory && g_store_platform.ask_directory("Working directory:", dir)) {
            SetItemText(dialog, kPath, dir);
            SetItemText(dialog, kOutput, OutputDirectoryFor(dir));
        }
    } else if (id == kHelp) {
        Inform("Give the project a name without blanks, its working directory, and the directory for its objects and "
               "executables; then choose its type.");
    } else if (id == IDOK) {
        d->form = ReadNewProjectForm(dialog);
        if (ApplyNewProjectForm(d->form, g_config.projects, UserName(), *d->project)) EndDialog(dialog, IDOK);
    } else if (id == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
    } else {
        return FALSE;
    }
    return TRUE;
}

void FillMakePage(HWND dialog, const Project* p) {
    const char* none = "No project defined";
    MakePageForm f = p ? MakePageOf(*p) : MakePageForm{none, none, none, none};
    SetItemText(dialog, kProjectName, p ? p->name : none);
    SetItemText(dialog, kType, p ? ProjectTypeText(*p) : none);
    SetItemText(dialog, kMakeCommand, f.make_command);
    SetItemText(dialog, kMakeDir, f.make_dir);
    SetItemText(dialog, kExe, !p ? none : p->exe.empty() ? "<not defined>" : p->exe);
    SetItemText(dialog, kSources, f.sources_dir);
    SetItemText(dialog, kArguments, f.arguments);
}

INT_PTR CALLBACK MakePageProc(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
    if (message == WM_INITDIALOG) {
        FillMakePage(dialog, CurrentProject());
        return TRUE;
    }
    if (message != WM_COMMAND) return FALSE;
    if (LOWORD(wparam) == IDOK) {
        Project* p = CurrentProject();
        MakePageForm f{ItemText(dialog, kMakeCommand), ItemText(dialog, kMakeDir), ItemText(dialog, kSources),
                       ItemText(dialog, kArguments)};
        if (!p || ApplyMakePage(f, *p)) EndDialog(dialog, p ? IDOK : IDCANCEL);
        return TRUE;
    }
    return EndedByCancel(dialog, wparam);
}

void Field(DialogTemplate& t, short y, const char* label, int id, bool read_only = false) {
    t.Label(8, static_cast<short>(y + 2), 86, 9, label);
    t.Edit(96, y, 196, 13, static_cast<WORD>(id), ES_AUTOHSCROLL | (read_only ? ES_READONLY : 0));
}

}  // namespace

bool DefineNewProject(const std::string& name, Project& p) {
    NewProjectDialog d{NewProjectForm{name, FsWorkingDirectory(), "", false, false, kConsoleApp}, &p};
    DialogTemplate t("Definition of a new project", 300, 186);
    t.Label(8, 8, 86, 9, "Name of the project");
    t.Edit(96, 6, 120, 13, kName);
    t.Label(222, 8, 70, 9, "(Without path)");
    t.Label(8, 26, 86, 9, "Path");
    t.Label(96, 22, 120, 8, "Working directory:");
    t.Edit(96, 31, 150, 13, kPath);
    t.Button(250, 31, 42, 13, kBrowse, "Browse");
    t.Label(8, 52, 86, 9, "Output directory");
    t.Label(96, 48, 150, 8, "Objects and executables");
    t.Edit(96, 57, 196, 13, kOutput);
    Radio(t, 8, 80, 80, kSingleUser, "Single user", true);
    Radio(t, 8, 94, 80, kMultiUser, "Multi user", false);
    t.Check(8, 112, 100, 10, kUseCms, "Use versioning system");
    t.Item(BS_GROUPBOX, 120, 76, 172, 70, 0xFFFF, kButtonClass, "Project type");
    Radio(t, 128, 88, 160, kWindows, "Windows executable", true);
    Radio(t, 128, 102, 160, kConsole, "Console Application", false);
    Radio(t, 128, 116, 160, kLibrary, "Static Library (lib)", false);
    Radio(t, 128, 130, 160, kDllType, "Dynamic Link Library (dll)", false);
    t.Button(130, 162, 50, 14, IDOK, "&Create", true);
    t.Button(186, 162, 50, 14, IDCANCEL, "&Cancel");
    t.Button(242, 162, 50, 14, kHelp, "&Help");
    return t.Run(NewProjectProc, reinterpret_cast<LPARAM>(&d)) == IDOK;
}

void ProjectParametersCommand() {
    DialogTemplate t("Establish the parameters of a project", 300, 150);
    Field(t, 8, "Project name", kProjectName, true);
    Field(t, 24, "Project type", kType, true);
    Field(t, 40, "Make command line", kMakeCommand);
    Field(t, 56, "Make directory", kMakeDir);
    Field(t, 72, "Executable name", kExe, true);
    Field(t, 88, "Sources directory", kSources);
    Field(t, 104, "Command line arguments", kArguments);
    t.OkCancel(186, 128);
    if (t.Run(MakePageProc, 0) == IDOK && g_project_open) SaveCurrentProjectConfiguration();
}
