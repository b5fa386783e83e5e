#include "build/makefile_host_w32.h"

#include <windows.h>

#include "build/build_run_w32.h"
#include "build/build_state.h"
#include "project/current_project.h"
#include "project/file_processors.h"
#include "project/project_dialogs_w32.h"
#include "project/project_session_w32.h"
#include "shell/format_buffer.h"
#include "shell/report.h"

namespace {

int RunHidden(const std::string& command) { return RunAndWait(command, SW_HIDE); }
int LastError() { return static_cast<int>(GetLastError()); }

bool AskFileProcessor(Project& p, const std::string& file) {
    const FileProcessorSetting* old = FindFileProcessor(p, file);
    std::string command = old ? old->command : DefaultTool(file), output = old ? old->output : DefaultOutput(file);
    while (true) {
        std::string prompt = "Input file: " + file + "\nCommand line for this file";
        if (!AskText("File processor", prompt.c_str(), command)) return false;
        if (!AskText("File processor", "Output file produced", output)) return false;
        if (SetFileProcessor(p, file, command, output)) return true;
    }
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
