#include "build/makefile_host_w32.h"

#include <windows.h>

#include "build/build_run_w32.h"
#include "build/build_state.h"
#include "project/current_project.h"
#include "project/file_processors.h"
#include "project/dialog_fields_w32.h"
#include "project/project_session_w32.h"
#include "shell/dialog_template_w32.h"
#include "shell/format_buffer.h"
#include "shell/report.h"

namespace {

int RunHidden(const std::string& command) { return RunAndWait(command, SW_HIDE); }
int LastError() { return static_cast<int>(GetLastError()); }

enum : int { kInput = 101, kCommand, kOutput };

struct ProcessorDialog {
    Project* project;
    const std::string* file;
};

INT_PTR CALLBACK ProcessorProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* d = DialogRecord<ProcessorDialog>(dialog, message, lparam);
    if (message == WM_INITDIALOG) {
        const FileProcessorSetting* old = FindFileProcessor(*d->project, *d->file);
        SetItemText(dialog, kInput, *d->file);
        SetItemText(dialog, kCommand, old ? old->command : DefaultTool(*d->file));
        SetItemText(dialog, kOutput, old ? old->output : DefaultOutput(*d->file));
        return TRUE;
    }
    if (message != WM_COMMAND) return FALSE;
    if (LOWORD(wparam) == IDOK) {
        if (SetFileProcessor(*d->project, *d->file, ItemText(dialog, kCommand), ItemText(dialog, kOutput)))
            EndDialog(dialog, IDOK);
        return TRUE;
    }
    return EndedByCancel(dialog, wparam);
}

// The "File processor" dialog: how make builds a file of a type it does not know.
bool AskFileProcessor(Project& p, const std::string& file) {
    ProcessorDialog d{&p, &file};
    DialogTemplate t("File processor", 280, 104);
    t.Label(8, 8, 100, 9, "Input file");
    t.Edit(110, 6, 162, 13, kInput, ES_AUTOHSCROLL | ES_READONLY);
    t.Label(8, 28, 100, 9, "Command line for this file");
    t.Edit(110, 26, 162, 13, kCommand);
    t.Label(8, 48, 100, 9, "Output file produced");
    t.Edit(110, 46, 162, 13, kOutput);
    t.OkCancel(166, 82);
    return t.Run(ProcessorProc, reinterpret_cast<LPARAM>(&d)) == IDOK;
}

void Progress(const char* text) {
    ShowStatus(text);
    MSG msg;
    for (int i = 0; i < 15 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

const MakefileHost kHost{RunHidden, LastError, AskFileProcessor, Progress, nullptr};

}  // namespace

const MakefileHost& Win32MakefileHost() { return kHost; }

void GenerateMakefileCommand() {
    if (const char* busy = BuildBusyText()) {
        ShowError(busy);
        return;
    }
    Project* p = CurrentProject();
    if (!p) {
        ShowError("No project defined");
        return;
    }
    SaveCurrentProjectConfiguration();
    ShowStatus(FormatText("Building makefile for %s", p->name.c_str()));
    if (!GenerateMakefile(*p, CurrentEnvironment(), kHost)) return;
    if (g_project_open) SaveProject(*p, 1);
    ShowStatus("Makefile generation successful");
}
