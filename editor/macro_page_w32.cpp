// The "Macros" page of the configuration sheet (command 1119, "Configuration of
// Morla"): the macro codes in a list, a key field, the macro's text and the buttons
// that save or delete a macro. It edits a copy of the macro list; OK puts the copy in
// force and saves the configuration when saving is on.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "editor/macro_page.h"
#include "editor/text_macros.h"
#include "editor/view_commands_w32.h"
#include "shell/app_state_w32.h"
#include "shell/dialog_template_w32.h"
#include "shell/dispatch.h"
#include "shell/settings_w32.h"

namespace {

enum : WORD { kCodeList = 101, kKeyField = 102, kTextField = 103, kSaveMacro = 104, kDeleteMacro = 105 };

std::vector<TextMacro> g_copy;  // the list the page edits

std::string Field(HWND page, WORD id) {
    char text[kMacroFieldLimit * 2 + 2] = "";
    GetDlgItemTextA(page, id, text, sizeof text);
    return text;
}

int IndexOfKey(char key) {
    for (size_t i = 0; i < g_copy.size(); ++i)
        if (!g_copy[i].code.empty() && g_copy[i].code[0] == key) return static_cast<int>(i);
    return -1;
}

void FillList(HWND page, int selected) {
    HWND list = GetDlgItem(page, kCodeList);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (const TextMacro& m : g_copy) SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(m.code.c_str()));
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

// Shows the macro with its caret place selected in the text field.
void ShowMacro(HWND page, int index) {
    const TextMacro& m = g_copy[static_cast<size_t>(index)];
    SetDlgItemTextA(page, kKeyField, m.code.substr(0, 1).c_str());
    SetDlgItemTextA(page, kTextField, MacroTextForField(m.text).c_str());
    int offset = FieldOffsetOfPosition(m.text, m.position);
    SendDlgItemMessageA(page, kTextField, EM_SETSEL, static_cast<WPARAM>(offset), offset);
    SendDlgItemMessageA(page, kCodeList, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void KeyChanged(HWND page) {
    std::string key = Field(page, kKeyField);
    if (key.empty()) return;
    if (!IsMacroKey(key)) {
        MessageBeep(MB_OK);
        SetDlgItemTextA(page, kKeyField, "");
        return;
    }
    int index = IndexOfKey(key[0]);
    if (index >= 0 && Field(page, kTextField) != MacroTextForField(g_copy[static_cast<size_t>(index)].text))
        ShowMacro(page, index);
}

void SaveEntry(HWND page) {
    std::string key = Field(page, kKeyField);
    if (!IsMacroKey(key)) {
        MessageBeep(MB_OK);
        return;
    }
    std::string field = Field(page, kTextField);
    DWORD start = 0;
    SendDlgItemMessageA(page, kTextField, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    DefineMacro(g_copy, TextMacro{key, MacroPositionFromField(field, static_cast<int>(start)), MacroTextFromField(field)});
    FillList(page, IndexOfKey(key[0]));
}

void DeleteEntry(HWND page) {
    std::string key = Field(page, kKeyField);
    if (key.empty() || !RemoveMacro(g_copy, key[0])) MessageBeep(MB_OK);
    SetDlgItemTextA(page, kKeyField, "");
    SetDlgItemTextA(page, kTextField, "");
    FillList(page, -1);
}

INT_PTR CALLBACK MacroPageProc(HWND page, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_INITDIALOG:
            g_copy = Macros();
            SendDlgItemMessageA(page, kKeyField, EM_LIMITTEXT, 1, 0);
            SendDlgItemMessageA(page, kTextField, EM_LIMITTEXT, kMacroFieldLimit, 0);
            FillList(page, -1);
            return TRUE;
        case WM_COMMAND:
            switch (LOWORD(wparam)) {
                case kCodeList:
                    if (HIWORD(wparam) == LBN_SELCHANGE) {
                        int i = static_cast<int>(SendDlgItemMessageA(page, kCodeList, LB_GETCURSEL, 0, 0));
                        if (i >= 0 && i < static_cast<int>(g_copy.size())) ShowMacro(page, i);
                    }
                    return TRUE;
                case kKeyField:
                    if (HIWORD(wparam) == EN_CHANGE) KeyChanged(page);
                    return TRUE;
                case kSaveMacro: SaveEntry(page); return TRUE;
                case kDeleteMacro: DeleteEntry(page); return TRUE;
                default: return FALSE;
            }
        case WM_NOTIFY:
            if (reinterpret_cast<NMHDR*>(lparam)->code == static_cast<UINT>(PSN_APPLY)) {
                Macros() = g_copy;
                SaveMacros(g_config);
                SetWindowLongPtrA(page, DWLP_MSGRESULT, PSNRET_NOERROR);
                return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
    }
}

void OpenConfigurationSheet() {
    DialogTemplate macros("Macros", 250, 170);
    macros.Label(7, 7, 40, 10, "Codes:");
    macros.List(7, 19, 40, 144, kCodeList);
    macros.Label(56, 7, 30, 10, "&Key:");
    macros.Edit(90, 5, 20, 13, kKeyField);
    macros.Label(56, 24, 60, 10, "&Text:");
    macros.Edit(56, 36, 187, 106, kTextField, ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL);
    macros.Button(56, 149, 50, 14, kSaveMacro, "&Save");
    macros.Button(112, 149, 50, 14, kDeleteMacro, "&Delete");
    PROPSHEETPAGEA page{};
    page.dwSize = sizeof page;
    page.dwFlags = PSP_DLGINDIRECT;
    page.hInstance = g_app->instance;
    page.pResource = macros.Get();
    page.pfnDlgProc = MacroPageProc;
    PROPSHEETHEADERA sheet{};
    sheet.dwSize = sizeof sheet;
    sheet.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW;
    sheet.hwndParent = g_app->frame;
    sheet.hInstance = g_app->instance;
    sheet.pszCaption = "Configuration of Morla";
    sheet.nPages = 1;
    sheet.ppsp = &page;
    if (PropertySheetA(&sheet) > 0) SaveProgramConfiguration();
}

}  // namespace

void InstallMacroPage() { SetCommandHandler(1119, OpenConfigurationSheet); }
