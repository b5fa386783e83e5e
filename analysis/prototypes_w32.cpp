// The dialog "Write prototypes" and the writing of the header it asks for.
#include <windows.h>
#include <commdlg.h>

#include <filesystem>
#include <string>

#include "analysis/analysis_commands_w32.h"
#include "analysis/analysis_views_w32.h"
#include "analysis/document_scan.h"
#include "analysis/generated_file.h"
#include "analysis/message_ids.h"
#include "analysis/prototypes.h"
#include "editor/text_document.h"
#include "shell/app_state_w32.h"
#include "shell/dialog_template_w32.h"
#include "shell/format_buffer.h"
#include "shell/frame_w32.h"
#include "shell/messages.h"
#include "shell/report.h"

namespace {

constexpr WORD kOutput = 101, kBrowse = 102, kStaticWord = 103, kIgnoreStatic = 104, kLoad = 105;

struct PrototypeRequest {
    std::string module, output, static_word;
    unsigned options = 0;
};

// Kept for the next run of the dialog in this session.
std::string g_static_word = "static";
unsigned g_options = 0;

std::string FieldText(HWND dialog, int id) {
    char text[MAX_PATH] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

void Browse(HWND dialog) {
    char name[MAX_PATH];
    lstrcpynA(name, FieldText(dialog, kOutput).c_str(), sizeof name);
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = dialog;
    ofn.lpstrFile = name;
    ofn.nMaxFile = sizeof name;
    ofn.lpstrFilter = "Headers\0*.h\0All files\0*.*\0";
    ofn.Flags = OFN_HIDEREADONLY;
    if (GetSaveFileNameA(&ofn)) SetDlgItemTextA(dialog, kOutput, name);
}

INT_PTR CALLBACK PrototypesProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* r = DialogRecord<PrototypeRequest>(dialog, message, lparam);
    if (message == WM_INITDIALOG) {
        SetDlgItemTextA(dialog, kOutput, r->output.c_str());
        SendDlgItemMessageA(dialog, kStaticWord, EM_LIMITTEXT, kMaxStaticWordLength, 0);
        SetDlgItemTextA(dialog, kStaticWord, r->static_word.c_str());
        CheckDlgButton(dialog, kIgnoreStatic, (r->options & kPrototypesIgnoreStatic) ? BST_CHECKED : BST_UNCHECKED);
        CheckDlgButton(dialog, kLoad, (r->options & kPrototypesLoadIntoEditor) ? BST_CHECKED : BST_UNCHECKED);
        return TRUE;
    }
    if (message != WM_COMMAND) return FALSE;
    switch (LOWORD(wparam)) {
        case kBrowse:
            Browse(dialog);
            return TRUE;
        case IDOK:
            r->output = FieldText(dialog, kOutput);
            r->static_word = FieldText(dialog, kStaticWord);
            r->options = (IsDlgButtonChecked(dialog, kIgnoreStatic) ? kPrototypesIgnoreStatic : 0u) |
                         (IsDlgButtonChecked(dialog, kLoad) ? kPrototypesLoadIntoEditor : 0u);
            EndDialog(dialog, 1);
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog, 0);
            return TRUE;
        default:
            return FALSE;
    }
}

bool AskRequest(PrototypeRequest* r) {
    DialogTemplate t("Write prototypes", 260, 112);
    t.Label(7, 9, 70, 10, "Module");
    t.Label(80, 9, 173, 10, r->module.c_str());
    t.Label(7, 27, 70, 10, "Output file name");
    t.Edit(80, 25, 126, 12, kOutput);
    t.Button(210, 24, 43, 14, kBrowse, "Browse...");
    t.Label(7, 45, 70, 10, "Keyword 'static'");
    t.Edit(80, 43, 70, 12, kStaticWord);
    t.Check(80, 61, 150, 10, kIgnoreStatic, "Ignore static functions");
    t.Check(80, 74, 150, 10, kLoad, "Load into the editor");
    t.OkCancel(74, 92);
    return t.Run(PrototypesProc, reinterpret_cast<LPARAM>(r)) == 1;
}

}  // namespace

void PrototypesCommand() {
    TextDocument* doc = CurrentDocument();
    if (!doc || !RequireFunctions(doc)) return;
    PrototypeRequest r;
    r.module = doc->name;
    r.output = WithExtension(doc->name, "_proto.h");
    r.static_word = g_static_word;
    r.options = g_options;
    if (!AskRequest(&r)) return;
    g_static_word = r.static_word;
    g_options = r.options;
    std::error_code ec;
    if (!r.output.empty() && std::filesystem::exists(r.output, ec) &&
        !Ask(FormatText(MessageText(kMsgOverwrite), r.output.c_str())))
        return;
    const FunctionIndex* index = DocumentFunctions(doc);
    std::vector<LineView> lines = DocumentLines(doc);
    int examined = WritePrototypes(AsSource(lines), index->functions, doc->name, r.output.c_str(), r.options,
                                   r.static_word.c_str(), CurrentDateTimeText().c_str());
    if (examined < 0) return;
    ShowStatus(FormatText(MessageText(kMsgPrototypesWritten), r.output.c_str(), examined));
    if (!(r.options & kPrototypesLoadIntoEditor)) return;
    if (TextDocument* shown = FindDocument(r.output.c_str(), false)) ReloadDocument(shown, false);
    OpenNamedFile(r.output.c_str(), false);
}
