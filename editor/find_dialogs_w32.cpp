// Dialogs 1700 "Search" and 3700 "Search and replace": one procedure for both, the
// option controls drawn from their tables.
#include "editor/find_dialogs_w32.h"

#include <vector>

#include "analysis/document_scan.h"
#include "editor/find_dialog_layout.h"
#include "shell/dialog_template_w32.h"

namespace {

struct FindDialog {
    SearchState* state;
    LineMatcher* matcher;
    const FlagControl* controls;
    int count;
    FindFlags flags;
    std::string initial;
    bool replace;
    // Replace by function: the functions offered and the lines chosen.
    std::vector<FunctionRecord> functions;
    int preselected;
    SearchBounds* bounds;
};

void AddOptions(DialogTemplate* t, const FlagControl* controls, int count, const FlagGroupBox* groups, int group_count) {
    for (int i = 0; i < group_count; ++i) {
        const FlagGroupBox& g = groups[i];
        t->Item(BS_GROUPBOX, g.x, g.y, g.cx, g.cy, 0xFFFF, kButtonClass, g.title);
    }
    for (int i = 0; i < count; ++i) {
        const FlagControl& c = controls[i];
        DWORD style = (c.group ? BS_RADIOBUTTON : BS_CHECKBOX) | WS_TABSTOP;
        t->Item(style, c.x, c.y, c.cx, 10, c.id, kButtonClass, c.text);
    }
}

std::string FieldText(HWND dialog, int id) {
    char text[kSearchTextLimit + 2] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

void ShowFlags(HWND dialog, const FindDialog* d) {
    for (int i = 0; i < d->count; ++i)
        CheckDlgButton(dialog, d->controls[i].id, FlagControlChecked(d->controls[i], d->flags) ? BST_CHECKED : BST_UNCHECKED);
    if (d->replace) EnableWindow(GetDlgItem(dialog, kReplaceFunctionList), (d->flags & kFindByFunction) != 0);
}

void FillTextField(HWND dialog, const FindDialog* d) {
    HWND box = GetDlgItem(dialog, kFindTextField);
    SendMessageA(box, CB_LIMITTEXT, kSearchTextLimit, 0);
    for (const std::string& text : d->state->history)
        SendMessageA(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    SetWindowTextA(box, (d->initial.empty() ? d->state->text : d->initial).c_str());
}

void FillFunctions(HWND dialog, FindDialog* d) {
    SendDlgItemMessageA(dialog, kReplaceTextField, EM_LIMITTEXT, kSearchTextLimit, 0);
    SetDlgItemTextA(dialog, kReplaceTextField, d->state->replacement.c_str());
    HWND list = GetDlgItem(dialog, kReplaceFunctionList);
    for (const FunctionRecord& f : d->functions) SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(f.name.c_str()));
    SendMessageA(list, CB_SETCURSEL, d->preselected, 0);
    if (d->functions.empty()) EnableWindow(GetDlgItem(dialog, kReplaceByFunctionButton), FALSE);
}

// The chosen function's lines, or false when by function is set and none is chosen.
bool ChosenBounds(HWND dialog, FindDialog* d) {
    *d->bounds = {};
    if (!(d->flags & kFindByFunction)) return true;
    LRESULT chosen = SendDlgItemMessageA(dialog, kReplaceFunctionList, CB_GETCURSEL, 0, 0);
    if (chosen < 0 || chosen >= static_cast<LRESULT>(d->functions.size())) return false;
    const FunctionRecord& f = d->functions[chosen];
    *d->bounds = {f.start_line, f.end_line > 0 ? f.end_line : 0};
    return true;
}

bool Accept(HWND dialog, FindDialog* d) {
    if (d->replace) d->state->replacement = FieldText(dialog, kReplaceTextField);
    if (!AcceptSearch(d->state, FieldText(dialog, kFindTextField), d->flags)) return false;
    if (!PrepareLineMatcher(d->state->text.c_str(), d->flags, d->matcher)) return false;
    return !d->replace || ChosenBounds(dialog, d);
}

INT_PTR CALLBACK FindDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* d = DialogRecord<FindDialog>(dialog, message, lparam);
    switch (message) {
        case WM_INITDIALOG:
            FillTextField(dialog, d);
            if (d->replace) FillFunctions(dialog, d);
            ShowFlags(dialog, d);
            PostMessageA(dialog, WM_APP, 0, 0);
            return TRUE;
        case WM_APP:  // Search only while there is a text
            EnableWindow(GetDlgItem(dialog, IDOK), !FieldText(dialog, kFindTextField).empty());
            return TRUE;
        case WM_COMMAND: {
            WORD id = LOWORD(wparam);
            if (id == kFindTextField) {
                if (HIWORD(wparam) == CBN_EDITCHANGE || HIWORD(wparam) == CBN_SELCHANGE) PostMessageA(dialog, WM_APP, 0, 0);
                return TRUE;
            }
            if (id == IDOK) {
                if (Accept(dialog, d)) EndDialog(dialog, 1);
                return TRUE;
            }
            if (id == IDCANCEL) {
                EndDialog(dialog, 0);
                return TRUE;
            }
            if (HIWORD(wparam) == BN_CLICKED) {
                d->flags = ClickFlagControl(d->controls, d->count, id, d->flags);
                ShowFlags(dialog, d);
                return TRUE;
            }
            return FALSE;
        }
        default:
            return FALSE;
    }
}

}  // namespace

bool RunSearchDialog(SearchState* state, const std::string& initial, LineMatcher* matcher) {
    DialogTemplate t("Search", 260, 156);
    t.Label(7, 8, 60, 10, "Text to search:");
    t.Combo(70, 6, 183, 80, kFindTextField, CBS_DROPDOWN | CBS_AUTOHSCROLL);
    AddOptions(&t, kSearchControls, kSearchControlCount, kSearchGroups, kSearchGroupCount);
    t.Button(74, 136, 50, 14, IDOK, "&Search", true);
    t.Button(136, 136, 50, 14, IDCANCEL, "Cancel");
    FindDialog d{state, matcher, kSearchControls, kSearchControlCount, state->flags, initial, false, {}, 0, nullptr};
    return t.Run(FindDialogProc, reinterpret_cast<LPARAM>(&d)) == 1;
}

bool RunReplaceDialog(SearchState* state, const std::string& initial, TextDocument* doc, int caret_line,
                      LineMatcher* matcher, SearchBounds* bounds) {
    DialogTemplate t("Search and replace", 260, 196);
    t.Label(7, 8, 62, 10, "Text to search for:");
    t.Combo(72, 6, 181, 80, kFindTextField, CBS_DROPDOWN | CBS_AUTOHSCROLL);
    t.Label(7, 24, 62, 10, "Replace it with:");
    t.Edit(72, 22, 181, 12, kReplaceTextField);
    AddOptions(&t, kReplaceControls, kReplaceControlCount, kReplaceGroups, kReplaceGroupCount);
    t.Combo(76, 159, 177, 80, kReplaceFunctionList, CBS_DROPDOWNLIST);
    t.Button(74, 176, 50, 14, IDOK, "&Replace", true);
    t.Button(136, 176, 50, 14, IDCANCEL, "Cancel");
    FindDialog d{state, matcher, kReplaceControls, kReplaceControlCount, state->flags, initial, true, {}, 0, bounds};
    if (const FunctionIndex* index = doc ? DocumentFunctions(doc) : nullptr) {
        d.functions = index->functions;
        const FunctionRecord* holding = FunctionAtDocumentLine(doc, caret_line);
        for (size_t i = 0; holding && i < d.functions.size(); ++i)
            if (d.functions[i].start_line == holding->start_line) d.preselected = static_cast<int>(i);
    }
    if (d.functions.empty()) d.flags &= ~kFindByFunction;
    return t.Run(FindDialogProc, reinterpret_cast<LPARAM>(&d)) == 1;
}
