#include "project/utilities_w32.h"

#include <windows.h>

#include "editor/edit_window_w32.h"
#include "project/current_project.h"
#include "project/dialog_fields_w32.h"
#include "project/file_system.h"
#include "project/project_dialogs_w32.h"
#include "project/utilities.h"
#include "shell/app_state_w32.h"
#include "shell/dialog_template_w32.h"
#include "shell/format_buffer.h"
#include "shell/messages.h"
#include "shell/report.h"
#include "shell/settings_w32.h"

namespace {

enum : int { kList = 201, kNickname, kProgram, kArguments, kStartDir, kBrowse, kChange, kDelete };

bool AskArguments(const std::string& prompt, std::string& answer) {
    return AskText("Program arguments", prompt.c_str(), answer);
}

// The editor state the macros stand for.
MacroContext CurrentMacroContext() {
    MacroContext c;
    c.current_dir = FsWorkingDirectory();
    c.ask = AskArguments;
    if (const Project* p = CurrentProject()) c.exe = ProgramPath(*p);
    EditWindow* view = CurrentView();
    if (!view || !view->cursor.doc) return c;
    const EditCursor& cursor = view->cursor;
    c.file = cursor.doc->name;
    c.window = static_cast<unsigned>(reinterpret_cast<uintptr_t>(view->window));
    if (TextLine* line = cursor.caret.line; line && !IsHead(cursor.doc, cursor.caret))
        c.current_text = WordAround(line->text, line->length, cursor.caret.column);
    if (cursor.anchor.line && !SamePlace(cursor.anchor, cursor.caret)) {
        c.selection_multiline = cursor.anchor.number != cursor.caret.number;
        if (!c.selection_multiline) {
            int from = std::min(cursor.anchor.column, cursor.caret.column);
            int to = std::max(cursor.anchor.column, cursor.caret.column);
            c.selection.assign(cursor.caret.line->text + from, static_cast<size_t>(to - from));
        }
    }
    return c;
}

// The Utils popup: the one that holds Execute (1124).
HMENU UtilsMenu() {
    if (!g_app || !g_app->main_menu) return nullptr;
    for (int i = 0, n = GetMenuItemCount(g_app->main_menu); i < n; ++i) {
        HMENU popup = GetSubMenu(g_app->main_menu, i);
        if (popup && GetMenuState(popup, 1124, MF_BYCOMMAND) != static_cast<UINT>(-1)) return popup;
    }
    return nullptr;
}

// The separator before the utilities is the item just before the first of them.
void AddMenuItem(const UtilitySetting& u) {
    HMENU menu = UtilsMenu();
    if (!menu) return;
    bool any = false;
    for (int id = kFirstUtilityId; id <= kLastUtilityId; ++id)
        any = any || GetMenuState(menu, static_cast<UINT>(id), MF_BYCOMMAND) != static_cast<UINT>(-1);
    if (!any) AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, static_cast<UINT_PTR>(std::atoi(u.id.c_str())), u.nickname.c_str());
}

void RemoveMenuItem(int id) {
    HMENU menu = UtilsMenu();
    if (!menu) return;
    DeleteMenu(menu, static_cast<UINT>(id), MF_BYCOMMAND);
    if (g_config.utilities.empty()) {
        int last = GetMenuItemCount(menu) - 1;
        if (last >= 0 && (GetMenuState(menu, static_cast<UINT>(last), MF_BYPOSITION) & MF_SEPARATOR))
            DeleteMenu(menu, static_cast<UINT>(last), MF_BYPOSITION);
    }
}

UtilitySetting Fields(HWND dialog) {
    return UtilitySetting{ItemText(dialog, kNickname), ItemText(dialog, kProgram), ItemText(dialog, kArguments),
                          ItemText(dialog, kStartDir), ""};
}

void ShowFields(HWND dialog, const UtilitySetting& u) {
    SetItemText(dialog, kNickname, u.nickname);
    SetItemText(dialog, kProgram, u.progname);
    SetItemText(dialog, kArguments, u.prog_args);
    SetItemText(dialog, kStartDir, u.start_dir);
}

void FillNames(HWND dialog) {
    std::vector<std::string> names;
    for (const UtilitySetting& u : g_config.utilities) names.push_back(u.nickname);
    FillList(GetDlgItem(dialog, kList), names);
}

void OnCommand(HWND dialog, int id, int code) {
    switch (id) {
        case kList:
            if (code == LBN_SELCHANGE) {
                LRESULT i = SendDlgItemMessageA(dialog, kList, LB_GETCURSEL, 0, 0);
                if (i >= 0 && static_cast<size_t>(i) < g_config.utilities.size())
                    ShowFields(dialog, g_config.utilities[static_cast<size_t>(i)]);
            }
            return;
        case kBrowse: {
            std::string file = ChooseFileName(dialog, "Open executable", "Programs\0*.exe\0");
            if (!file.empty()) SetItemText(dialog, kProgram, LowerText(file));
            return;
        }
        case kChange: {
            bool added = false;
            UtilitySetting fields = Fields(dialog);
            int command = ChangeOrAddUtility(g_config.utilities, fields, &added);
            if (!command) return;
            FillNames(dialog);
            if (added) {
                AddMenuItem(*FindUtility(g_config.utilities, command));
                ShowStatus(FormatText("Utility '%s' ready", g_config.utilities.front().nickname.c_str()));
            }
            return;
        }
        case kDelete: {
            std::string nickname = ItemText(dialog, kNickname);
            int command = DeleteUtility(g_config.utilities, nickname);
            if (!command) return;
            RemoveMenuItem(command);
            FillNames(dialog);
            ShowFields(dialog, UtilitySetting{});
            Inform(FormatText("Utility [%s] erased", nickname.c_str()));
            return;
        }
        case IDOK:
        case IDCANCEL:
            EndDialog(dialog, id);
            return;
        default:
            return;
    }
}

INT_PTR CALLBACK UtilitiesProc(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
    if (message == WM_INITDIALOG) {
        FillNames(dialog);
        SendDlgItemMessageA(dialog, kNickname, EM_LIMITTEXT, kMaxUtilityNickname, 0);
        for (int id : {kProgram, kArguments, kStartDir}) SendDlgItemMessageA(dialog, id, EM_LIMITTEXT, kMaxUtilityText, 0);
        return TRUE;
    }
    if (message == WM_COMMAND) {
        OnCommand(dialog, LOWORD(wparam), HIWORD(wparam));
        return TRUE;
    }
    return FALSE;
}

}  // namespace

void RunUtility(int command) {
    if (g_config.utilities.empty()) {
        ShowError(MessageText(1205));
        return;
    }
    const UtilitySetting* u = FindUtility(g_config.utilities, command);
    if (!u) return;
    UtilityRun run;
    if (!PrepareUtilityRun(*u, CurrentMacroContext(), run)) return;
    std::string saved = FsWorkingDirectory();
    bool moved = !run.start_dir.empty();
    if (moved && !FsChangeDirectory(run.start_dir)) {
        ShowError(FormatText("Directory %s doesn't exist", run.start_dir.c_str()));
        return;
    }
    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_SHOW;
    PROCESS_INFORMATION pi{};
    std::vector<char> line(run.command_line.begin(), run.command_line.end());
    line.push_back('\0');
    if (CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    } else {
        ShowError(FormatText("Impossible to execute '%s'", run.command_line.c_str()));
    }
    if (moved) FsChangeDirectory(saved);
}

void AddUtilityMenuItems() {
    // The list is kept newest first; the menu shows them in the order they were defined.
    for (auto u = g_config.utilities.rbegin(); u != g_config.utilities.rend(); ++u) AddMenuItem(*u);
}

void UtilitiesDialog() {
    DialogTemplate t("Utilities", 300, 170);
    t.Label(8, 6, 100, 9, "Defined utilities");
    t.List(8, 17, 90, 124, kList);
    t.Label(106, 6, 186, 9, "Name in the menu bar");
    t.Edit(106, 16, 80, 13, kNickname);
    t.Label(106, 34, 186, 9, "Name of the program to start");
    t.Edit(106, 44, 140, 13, kProgram);
    t.Button(250, 44, 42, 13, kBrowse, "Browse...");
    t.Label(106, 62, 186, 9, "Arguments to the program");
    t.Edit(106, 72, 186, 13, kArguments);
    t.Label(106, 90, 186, 9, "Starting directory");
    t.Edit(106, 100, 186, 13, kStartDir);
    t.Button(106, 124, 56, 14, kChange, "&Change/Add", true);
    t.Button(168, 124, 56, 14, kDelete, "&Delete");
    t.Button(242, 150, 50, 14, IDCANCEL, "Close");
    t.Run(UtilitiesProc, 0);
}

std::string UtilityMenuHelp(int command) {
    if (command < kFirstUtilityId || command > kLastUtilityId) return "";
    const UtilitySetting* u = FindUtility(g_config.utilities, command);
    return u ? FormatText(MessageText(405), u->nickname.c_str(), u->progname.c_str()) : "";
}
