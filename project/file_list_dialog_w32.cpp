#include "project/file_list_dialog_w32.h"

#include <windows.h>

#include "project/current_project.h"
#include "project/dialog_fields_w32.h"
#include "project/file_list.h"
#include "project/file_system.h"
#include "project/project_session_w32.h"
#include "project/project_window_w32.h"
#include "shell/dialog_template_w32.h"
#include "shell/format_buffer.h"
#include "shell/report.h"

namespace {

enum : int { kName = 101, kDirLabel, kDirList, kTypes, kAdd, kProjectList, kDelete };

struct FilesDialog {
    Project* project;
    std::vector<std::string> list;
    std::string home;  // the current directory when the dialog opened
    std::string here;  // where bare names are found: SourcesDir, else the current directory
};

bool Exists(const std::string& path) { return FsIsFile(path); }

void ShowProjectList(HWND dialog, const FilesDialog& d) { FillList(GetDlgItem(dialog, kProjectList), d.list); }

// Lists `dir` (the dialog's directory when empty) with the chosen type's pattern.
void ListDirectory(HWND dialog, const std::string& dir) {
    LRESULT type = SendDlgItemMessageA(dialog, kTypes, CB_GETCURSEL, 0, 0);
    if (type < 0 || type >= kProjectFileTypeCount) type = 0;
    std::string spec = dir.empty() ? kProjectFileTypes[type].pattern : PathJoin(dir, kProjectFileTypes[type].pattern);
    std::vector<char> buffer(spec.begin(), spec.end());
    buffer.push_back('\0');
    DlgDirListA(dialog, buffer.data(), kDirList, kDirLabel, DDL_DIRECTORY | DDL_DRIVES);
}

// The selected directory entry: a directory or drive is entered, a file added.
void AddSelected(HWND dialog, FilesDialog& d) {
    char name[MAX_PATH] = "";
    if (SendDlgItemMessageA(dialog, kDirList, LB_GETCURSEL, 0, 0) == LB_ERR) return;
    if (DlgDirSelectExA(dialog, name, sizeof name, kDirList)) {
        ListDirectory(dialog, name);
        return;
    }
    if (AddToFileList(d.list, PathJoin(FsWorkingDirectory(), name), d.here)) ShowProjectList(dialog, d);
}

void AddTyped(HWND dialog, FilesDialog& d) {
    std::string typed = ItemText(dialog, kName);
    int type = TypedFileName(d.list, typed, FsWorkingDirectory(), d.here, CurrentEnvironment().compiler_root, Exists);
    if (type >= 0) {
        SendDlgItemMessageA(dialog, kTypes, CB_SETCURSEL, type, 0);
        ListDirectory(dialog, "");
    } else if (type == -2) {
        ShowProjectList(dialog, d);
    }
    SetItemText(dialog, kName, "");
}

INT_PTR CALLBACK FilesProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* d = DialogRecord<FilesDialog>(dialog, message, lparam);
    if (message == WM_INITDIALOG) {
        SetWindowTextA(dialog, FormatText("Project files for %s", d->project->name.c_str()));
        for (int i = 0; i < kProjectFileTypeCount; ++i) {
            std::string entry = std::string(kProjectFileTypes[i].label) + " (" + kProjectFileTypes[i].pattern + ")";
            SendDlgItemMessageA(dialog, kTypes, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
        }
        SendDlgItemMessageA(dialog, kTypes, CB_SETCURSEL, 0, 0);
        ListDirectory(dialog, d->here);
        ShowProjectList(dialog, *d);
        return TRUE;
    }
    if (message != WM_COMMAND) return FALSE;
    int id = LOWORD(wparam), code = HIWORD(wparam);
    if (id == kDirList && code == LBN_DBLCLK) {
        AddSelected(dialog, *d);
    } else if (id == kTypes && code == CBN_SELCHANGE) {
        ListDirectory(dialog, "");
    } else if (id == kAdd || (id == IDOK && !ItemText(dialog, kName).empty())) {
        // As in the open-file dialog, OK acts on a typed name before it closes anything.
        if (ItemText(dialog, kName).empty()) AddSelected(dialog, *d);
        else AddTyped(dialog, *d);
    } else if (id == kDelete) {
        LRESULT i = SendDlgItemMessageA(dialog, kProjectList, LB_GETCURSEL, 0, 0);
        if (i >= 0 && static_cast<size_t>(i) < d->list.size()) {
            d->list.erase(d->list.begin() + i);
            ShowProjectList(dialog, *d);
        }
    } else if (id == IDOK) {
        if (ApplyFileList(d->list, *d->project)) EndDialog(dialog, 1);
    } else if (id == IDCANCEL) {
        EndDialog(dialog, 0);
    } else {
        return FALSE;
    }
    return TRUE;
}

}  // namespace

bool EditProjectFiles(Project& p) {
    std::string home = FsWorkingDirectory();
    bool sources = !p.sources_dir.empty() && FsIsDirectory(p.sources_dir);
    FilesDialog d{&p, ProjectFileList(p), home, sources ? p.sources_dir : home};
    DialogTemplate t("Project files", 330, 190);
    t.Label(8, 6, 150, 9, "File name:");
    t.Edit(8, 16, 150, 13, kName);
    t.Label(8, 34, 150, 18, "", kDirLabel);
    t.List(8, 54, 150, 96, kDirList, LBS_NOTIFY | LBS_SORT);
    t.Label(8, 152, 150, 9, "List files of type:");
    t.Combo(8, 162, 150, 100, kTypes, CBS_DROPDOWNLIST);
    t.Button(164, 70, 40, 14, kAdd, "&Add >>");
    t.Button(164, 90, 40, 14, kDelete, "&Delete");
    t.Label(210, 6, 112, 9, "Project files");
    t.List(210, 16, 112, 134, kProjectList);
    t.OkCancel(210, 166);
    INT_PTR result = t.Run(FilesProc, reinterpret_cast<LPARAM>(&d));
    FsChangeDirectory(d.home);  // the directory list moves the current directory
    return result == 1;
}

void ProjectFilesCommand() {
    Project* p = CurrentProject();
    if (!p) {
        ShowError("No project defined");
        return;
    }
    if (!EditProjectFiles(*p)) return;
    if (g_project_open) SaveProject(*p, 1);
    RefreshProjectWindow();
}
