// Command 1150: dialog 900 "Global Regular Expression Print (GREP)", then the search on
// a worker thread with a small window whose Stop ends it; the hits go to the output
// window when it is done.
#include <windows.h>

#include <atomic>

#include "editor/edit_window_w32.h"
#include "shell/app_state_w32.h"
#include "shell/dialog_template_w32.h"
#include "shell/dispatch.h"
#include "shell/format_buffer.h"
#include "shell/message_sink_w32.h"
#include "shell/report.h"
#include "tools/grep_dialog.h"
#include "tools/hit_list_w32.h"

namespace {

enum : WORD {
    kExpressionField = 101,
    kMaskField = 102,
    kDirectoryField = 103,
    kExpressionButton = 104,
    kIgnoreCaseButton = 105,
    kWholeWordsButton = 106,
    kMultipleButton = 107,
    kSubdirectoriesButton = 108,
    kHelpButton = 109,
    kProgressText = 110,
};
constexpr UINT kMsgGrepDone = WM_APP + 1;

GrepParameters g_params;
GrepHistory g_history;

struct GrepJob {
    GrepSearch search;
    GrepResult result;
    std::atomic<bool> stop{false};
    HWND progress = nullptr;
};
GrepJob* g_job;  // the running search, or null
HWND g_sink;

std::string FieldText(HWND dialog, int id) {
    char text[kGrepDirectoryLimit + 2] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

void FillCombo(HWND dialog, int id, const std::vector<std::string>& history, const std::string& text, size_t limit) {
    HWND box = GetDlgItem(dialog, id);
    SendMessageA(box, CB_LIMITTEXT, limit, 0);
    for (const std::string& entry : history) SendMessageA(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    SetWindowTextA(box, text.c_str());
}

struct Checks {
    WORD id;
    bool GrepDialogFields::*field;
} const kChecks[] = {{kExpressionButton, &GrepDialogFields::regular_expression},
                     {kIgnoreCaseButton, &GrepDialogFields::ignore_case},
                     {kWholeWordsButton, &GrepDialogFields::whole_words},
                     {kMultipleButton, &GrepDialogFields::multiple},
                     {kSubdirectoriesButton, &GrepDialogFields::subdirectories}};

GrepDialogFields ReadFields(HWND dialog) {
    GrepDialogFields f;
    f.expression = FieldText(dialog, kExpressionField);
    f.masks = FieldText(dialog, kMaskField);
    f.directory = FieldText(dialog, kDirectoryField);
    for (const Checks& c : kChecks) f.*c.field = IsDlgButtonChecked(dialog, c.id) == BST_CHECKED;
    return f;
}

std::string TextAtCursor() {
    EditWindow* v = CurrentView();
    if (!v || IsHead(v->cursor.doc, v->cursor.caret)) return "";
    const TextPosition& c = v->cursor.caret;
    return IdentifierAtCursor(c.line->text, c.line->length, c.column);
}

// A malformed expression keeps the dialog open too, so it can be mended.
INT_PTR CALLBACK GrepDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_INITDIALOG: {
            SetWindowLongPtrA(dialog, DWLP_USER, lparam);
            char directory[MAX_PATH] = "";
            GetCurrentDirectoryA(sizeof directory, directory);
            GrepDialogFields f = GrepDialogStart(g_params, directory);
            std::string at_cursor = TextAtCursor();
            if (!at_cursor.empty()) f.expression = at_cursor;
            FillCombo(dialog, kExpressionField, g_history.texts, f.expression, kGrepExpressionLimit);
            SendDlgItemMessageA(dialog, kMaskField, EM_LIMITTEXT, kGrepMaskLimit, 0);
            SetDlgItemTextA(dialog, kMaskField, f.masks.c_str());
            FillCombo(dialog, kDirectoryField, g_history.directories, f.directory, kGrepDirectoryLimit);
            for (const Checks& c : kChecks) CheckDlgButton(dialog, c.id, f.*c.field ? BST_CHECKED : BST_UNCHECKED);
            PostMessageA(dialog, WM_APP, 0, 0);
            return TRUE;
        }
        case WM_APP:  // Search only while there is an expression
            EnableWindow(GetDlgItem(dialog, IDOK), !FieldText(dialog, kExpressionField).empty());
            return TRUE;
        case WM_COMMAND:
            switch (LOWORD(wparam)) {
                case kExpressionField:
                    if (HIWORD(wparam) == CBN_EDITCHANGE || HIWORD(wparam) == CBN_SELCHANGE)
                        PostMessageA(dialog, WM_APP, 0, 0);
                    return TRUE;
                case IDOK:
                    if (AcceptGrepDialog(ReadFields(dialog), &g_params, &g_history) &&
                        PrepareGrep(g_params, reinterpret_cast<GrepSearch*>(GetWindowLongPtrA(dialog, DWLP_USER))))
                        EndDialog(dialog, 1);
                    return TRUE;
                case IDCANCEL:
                    EndDialog(dialog, 0);
                    return TRUE;
                case kHelpButton:
                    ReportNotAvailable(14000);
                    return TRUE;
                default:
                    return FALSE;
            }
        default:
            return FALSE;
    }
}

bool RunGrepDialog(GrepSearch* search) {
    DialogTemplate t("Global Regular Expression Print (GREP)", 260, 150);
    t.Label(7, 6, 246, 10, "Expression to search for:");
    t.Combo(7, 17, 246, 80, kExpressionField, CBS_DROPDOWN | CBS_AUTOHSCROLL);
    t.Label(7, 34, 246, 10, "File mask: (for instance *.c)");
    t.Edit(7, 45, 120, 12, kMaskField);
    t.Label(7, 62, 246, 10, "Search in directory:");
    t.Combo(7, 73, 246, 80, kDirectoryField, CBS_DROPDOWN | CBS_AUTOHSCROLL);
    t.Item(BS_GROUPBOX, 7, 90, 186, 54, 0xFFFF, kButtonClass, "Options");
    t.Check(13, 101, 85, 10, kExpressionButton, "Regular expression");
    t.Check(13, 113, 85, 10, kIgnoreCaseButton, "Ignore case");
    t.Check(13, 125, 85, 10, kWholeWordsButton, "Whole words");
    t.Check(102, 101, 88, 10, kMultipleButton, "Multiple (several expr)");
    t.Check(102, 113, 88, 10, kSubdirectoriesButton, "Include subdirectories");
    t.Button(203, 94, 50, 14, IDOK, "&Search", true);
    t.Button(203, 112, 50, 14, IDCANCEL, "&Cancel");
    t.Button(203, 130, 50, 14, kHelpButton, "&Help");
    return t.Run(GrepDialogProc, reinterpret_cast<LPARAM>(search)) == 1;
}

// --- The running search ------------------------------------------------------------------

DWORD WINAPI GrepWorker(void* parameter) {
    auto* job = static_cast<GrepJob*>(parameter);
    RunGrep(job->search, &job->result, &job->stop);
    PostMessageA(g_sink, kMsgGrepDone, 0, reinterpret_cast<LPARAM>(job));
    return 0;
}

void FinishJob(GrepJob* job) {
    if (job->progress) DestroyWindow(job->progress);
    FinishGrep(job->search.params, &job->result);
    if (!job->result.hits.empty()) ShowHitList(job->result.summary, std::move(job->result.hits), job->search.params.directory);
    if (g_job == job) g_job = nullptr;
    delete job;
}

LRESULT CALLBACK SinkProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == kMsgGrepDone) {
        FinishJob(reinterpret_cast<GrepJob*>(lparam));
        return 0;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

bool EnsureSink() {
    if (!g_sink) g_sink = CreateMessageSink("MorlaGrepSink", SinkProc);
    return g_sink != nullptr;
}

INT_PTR CALLBACK ProgressProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, DWLP_USER, lparam);
        return TRUE;
    }
    if (message == WM_COMMAND && (LOWORD(wparam) == IDCANCEL || LOWORD(wparam) == IDOK)) {
        auto* job = reinterpret_cast<GrepJob*>(GetWindowLongPtrA(dialog, DWLP_USER));
        job->stop = true;
        SetDlgItemTextA(dialog, kProgressText, "Stopping...");
        EnableWindow(GetDlgItem(dialog, IDCANCEL), FALSE);
        return TRUE;
    }
    return FALSE;
}

HWND ShowProgress(GrepJob* job) {
    DialogTemplate t("Grep", 200, 46);
    t.Item(SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS, 7, 7, 186, 10, kProgressText, kStaticClass,
           FormatText("Searching for '%s'...", job->search.params.text.c_str()));
    t.Button(75, 25, 50, 14, IDCANCEL, "&Stop", true);
    HWND window = CreateDialogIndirectParamA(g_app->instance, t.Get(), g_app->frame, ProgressProc,
                                             reinterpret_cast<LPARAM>(job));
    if (window) ShowWindow(window, SW_SHOW);
    return window;
}

void Grep() {
    if (g_job) {
        ShowStatus("A search is running: stop it first", StatusColour::Red);
        if (g_job->progress) SetForegroundWindow(g_job->progress);
        return;
    }
    auto* job = new GrepJob;
    if (!RunGrepDialog(&job->search) || !EnsureSink()) {
        delete job;
        return;
    }
    job->progress = ShowProgress(job);
    g_job = job;
    HANDLE thread = CreateThread(nullptr, 0, GrepWorker, job, 0, nullptr);
    if (!thread) {
        ReportSystemFailure("CreateThread", static_cast<int>(GetLastError()));
        g_job = nullptr;
        if (job->progress) DestroyWindow(job->progress);
        delete job;
        return;
    }
    CloseHandle(thread);
}

}  // namespace

void InstallGrep() {
    SetCommandHandler(1150, Grep);
    InstallHitListPage();
}
