// The dialog "String table generation": the literals of the file's function bodies,
// edited, renumbered or left out, then written as a resource table or a C array.
#include <windows.h>

#include <string>

#include "analysis/analysis_commands_w32.h"
#include "analysis/analysis_views_w32.h"
#include "analysis/document_scan.h"
#include "analysis/generated_file.h"
#include "analysis/message_ids.h"
#include "analysis/string_table.h"
#include "editor/text_document.h"
#include "shell/dialog_template_w32.h"
#include "shell/format_buffer.h"
#include "shell/messages.h"
#include "shell/report.h"

namespace {

constexpr WORD kStrings = 101, kContext = 102, kFileName = 103, kArrayName = 104, kWithNames = 105;
constexpr WORD kRenum = 110, kEdit = 111, kExclude = 112, kPrefix = 113, kRc = 114, kTable = 115, kHelp = 116;
constexpr int kFieldLimit = 400;

struct StringTableData {
    TextDocument* doc;
    std::vector<StringEntry> list;
};

// The array name of the "Table" output, kept for the session.
std::string g_array_name = "StringTable";

std::string FieldText(HWND dialog, int id) {
    char text[kFieldLimit + 1] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

int Selected(HWND dialog) {
    LRESULT row = SendDlgItemMessageA(dialog, kStrings, LB_GETCURSEL, 0, 0);
    return row == LB_ERR ? -1 : static_cast<int>(row);
}

void ShowContext(HWND dialog, const StringTableData& d) {
    int row = Selected(dialog);
    std::string context;
    if (row >= 0) {
        std::vector<LineView> lines = DocumentLines(d.doc);
        context = LinesAround(AsSource(lines), d.list[row].line);
    }
    SetDlgItemTextA(dialog, kContext, context.c_str());
}

void FillList(HWND dialog, const StringTableData& d, int selected) {
    HWND list = GetDlgItem(dialog, kStrings);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (const StringEntry& e : d.list)
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(FormatText("%s\t\"%s\"", e.name.c_str(), e.text.c_str())));
    if (selected >= static_cast<int>(d.list.size())) selected = static_cast<int>(d.list.size()) - 1;
    SendMessageA(list, LB_SETCURSEL, selected, 0);
    for (WORD id : {kRenum, kEdit, kExclude, kRc, kTable}) EnableWindow(GetDlgItem(dialog, id), !d.list.empty());
    ShowContext(dialog, d);
}

void Generate(HWND dialog, StringTableData* d, WORD which) {
    const std::string file = FieldText(dialog, kFileName);
    if (file.empty()) return BadFileName(file.c_str());
    bool written;
    std::string shown = file;
    if (which == kRc) {
        written = WriteStringResource(file, d->list, IsDlgButtonChecked(dialog, kWithNames) == BST_CHECKED, d->doc->name);
        shown = WithExtension(file, ".rc");
    } else {
        g_array_name = FieldText(dialog, kArrayName);
        written = WriteStringArray(file, d->list, g_array_name.c_str(), d->doc->name);
    }
    if (written) ShowStatus(FormatText(MessageText(kMsgFileWritten), shown.c_str()));
}

void Command(HWND dialog, StringTableData* d, WORD id, WORD notification) {
    const int row = Selected(dialog);
    switch (id) {
        case kStrings:
            if (notification == LBN_SELCHANGE) ShowContext(dialog, *d);
            return;
        case kRenum:
            RenumberStrings(&d->list, 0);
            return FillList(dialog, *d, row);
        case kEdit: {
            if (row < 0) return;
            std::string text = d->list[row].text;
            if (AskText("Edit", "String:", &text, kFieldLimit) && !text.empty()) d->list[row].text = text;
            return FillList(dialog, *d, row);
        }
        case kExclude:
            if (row >= 0) d->list.erase(d->list.begin() + row);
            return FillList(dialog, *d, row);
        case kPrefix: {
            std::string prefix = StringSymbolPrefix();
            if (!AskText("Change prefix", "Prefix:", &prefix, 32)) return;
            StringSymbolPrefix() = prefix;
            for (StringEntry& e : d->list) e.name = StringSymbol(e.number);
            return FillList(dialog, *d, row);
        }
        case kRc:
        case kTable:
            return Generate(dialog, d, id);
        case kHelp:
            return Inform(MessageText(kMsgStringTableHelp));
        case IDCANCEL:
            EndDialog(dialog, 0);
            return;
        default:
            return;
    }
}

INT_PTR CALLBACK StringTableProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* d = DialogRecord<StringTableData>(dialog, message, lparam);
    if (message == WM_INITDIALOG) {
        const int stops[] = {50};
        SendDlgItemMessageA(dialog, kStrings, LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(stops));
        SetDlgItemTextA(dialog, kFileName, WithExtension(d->doc->name, "_str.c").c_str());
        SetDlgItemTextA(dialog, kArrayName, g_array_name.c_str());
        CheckDlgButton(dialog, kWithNames, BST_CHECKED);
        FillList(dialog, *d, 0);
        return TRUE;
    }
    if (message != WM_COMMAND) return FALSE;
    Command(dialog, d, LOWORD(wparam), HIWORD(wparam));
    return TRUE;
}

}  // namespace

void StringTableCommand() {
    TextDocument* doc = CurrentDocument();
    if (!doc) return;
    StringTableData data{doc, DocumentStrings(doc)};
    if (data.list.empty()) return;
    DialogTemplate t("String table generation", 300, 232);
    t.List(7, 7, 220, 110, kStrings, LBS_NOTIFY | LBS_USETABSTOPS | LBS_NOINTEGRALHEIGHT);
    t.Button(235, 7, 58, 14, kRenum, "Renum");
    t.Button(235, 25, 58, 14, kEdit, "Edit");
    t.Button(235, 43, 58, 14, kExclude, "Exclude");
    t.Button(235, 61, 58, 14, kPrefix, "Change prefix");
    t.Label(7, 122, 220, 10, "Text context where the selected string appears:");
    t.Edit(7, 134, 286, 36, kContext, ES_MULTILINE | ES_READONLY | ES_AUTOHSCROLL);
    t.Label(7, 178, 50, 10, "File name:");
    t.Edit(60, 176, 167, 12, kFileName);
    t.Label(7, 194, 50, 10, "Array name:");
    t.Edit(60, 192, 90, 12, kArrayName);
    t.Check(158, 193, 70, 10, kWithNames, "With names (rc)");
    t.Button(7, 212, 50, 14, kRc, "rc");
    t.Button(63, 212, 50, 14, kTable, "Table");
    t.Button(179, 212, 50, 14, kHelp, "Help");
    t.Button(235, 212, 58, 14, IDCANCEL, "&Close", true);
    t.Run(StringTableProc, reinterpret_cast<LPARAM>(&data));
}
