#include "build/compile_file_w32.h"

#include <string>

#include "build/build_run_w32.h"
#include "build/build_state.h"
#include "build/compile_file.h"
#include "build/makefile_host_w32.h"
#include "editor/edit_window_w32.h"
#include "project/current_project.h"
#include "project/file_system.h"
#include "project/project_session_w32.h"
#include "shell/dialog_template_w32.h"
#include "shell/format_buffer.h"
#include "shell/messages.h"
#include "shell/report.h"
#include "shell/shell_hooks_w32.h"

namespace {

enum : int { kAdd = 101, kNewProject = 102 };

std::string DocumentText(const TextDocument* doc) {
    std::string text;
    for (const TextLine* line = doc->lines->next; line != doc->lines; line = line->next) {
        text.append(line->text, static_cast<size_t>(line->length));
        text += '\n';
    }
    return text;
}

bool GenerateForCurrent() {
    Project* p = CurrentProject();
    if (p && GenerateMakefile(*p, CurrentEnvironment(), Win32MakefileHost())) {
        if (g_project_open) SaveProject(*p, 1);
        return true;
    }
    ShowError("Error generating the make file");
    return false;
}

bool NewProjectFromDocument(const std::string& path, const std::string& text) {
    return DefaultProjectFromDocument(path, text) && GenerateForCurrent();
}

INT_PTR CALLBACK ChoiceProc(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
    if (message == WM_INITDIALOG) return TRUE;
    if (message == WM_COMMAND && (LOWORD(wparam) == kAdd || LOWORD(wparam) == kNewProject || LOWORD(wparam) == IDCANCEL)) {
        EndDialog(dialog, LOWORD(wparam));
        return TRUE;
    }
    return FALSE;
}

// "Compile file" for a file the current project does not hold.
int AskCompileChoice(const std::string& file) {
    DialogTemplate t("Compile file", 250, 92);
    t.Label(8, 6, 234, 18, FormatText("%s is not a file of the current project", file.c_str()));
    t.Button(8, 28, 60, 14, kAdd, "Add", true);
    t.Label(76, 31, 166, 9, "Add this file to the current project");
    t.Button(8, 48, 60, 14, kNewProject, "New project");
    t.Label(76, 51, 166, 9, "Create a new project with this file");
    t.Button(8, 68, 60, 14, IDCANCEL, "&Cancel");
    t.Label(76, 71, 166, 9, "Cancel the whole operation");
    return static_cast<int>(t.Run(ChoiceProc, 0));
}

// The Compiler popup: the one that holds Make (1156).
HMENU CompilerMenu(HMENU bar) {
    for (int i = 0, n = GetMenuItemCount(bar); i < n; ++i) {
        HMENU popup = GetSubMenu(bar, i);
        if (popup && GetMenuState(popup, 1156, MF_BYCOMMAND) != static_cast<UINT>(-1)) return popup;
    }
    return nullptr;
}

}  // namespace

void CompileActiveFile() {
    if (const char* busy = BuildBusyText()) {
        ShowError(busy);
        return;
    }
    EditWindow* view = CurrentView();
    if (!view || !view->cursor.doc) return;
    std::string path = view->cursor.doc->name, text = DocumentText(view->cursor.doc);
    Project* p = CurrentProject();
    if (!p) {
        if (!NewProjectFromDocument(path, text)) return;
    } else if (!ProjectHoldsFile(*p, path)) {
        switch (AskCompileChoice(path)) {
            case kAdd:
                AddFileToProject(*p, path);
                if (!GenerateForCurrent()) return;
                break;
            case kNewProject:
                if (!CloseCurrentProject(true)) return;
                if (g_shell_hooks.open_file) g_shell_hooks.open_file(path.c_str(), false);
                if (!NewProjectFromDocument(path, text)) return;
                break;
            default:
                return;
        }
    }
    p = CurrentProject();
    if (!p || (!p->has_make && !DefaultMakeDefinition(*p, CurrentEnvironment()))) return;
    std::string object;
    if (!CompiledObjectFile(*p, path, object)) return;
    FsDeleteFile(object);
    StartBuildThread();
}

void UpdateBuildMenuItems(HMENU bar) {
    HMENU menu = CompilerMenu(bar);
    if (!menu) return;
    DeleteMenu(menu, 1290, MF_BYCOMMAND);
    DeleteMenu(menu, 1295, MF_BYCOMMAND);
    EditWindow* view = CurrentView();
    if (view && view->cursor.doc && (view->cursor.doc->flags & kDocCSource)) {
        std::string name = LowerText(PathLastPart(view->cursor.doc->name));
        AppendMenuA(menu, MF_STRING, 1290, FormatText(MessageText(4567), name.c_str()));
    }
    if (const Project* p = CurrentProject(); p && !p->exe.empty())
        AppendMenuA(menu, MF_STRING, 1295, FormatText("&Execute %s\tCtrl+F5", PathLastPart(p->exe).c_str()));
}
