#include "build/build_run_w32.h"

#include <windows.h>

#include "build/build_results.h"
#include "build/build_state.h"
#include "build/diagnostic.h"
#include "build/makefile_host_w32.h"
#include "project/project_session_w32.h"
#include "config/configuration.h"
#include "project/current_project.h"
#include "project/file_system.h"
#include "shell/app_state_w32.h"
#include "shell/format_buffer.h"
#include "shell/message_sink_w32.h"
#include "shell/output_window_w32.h"
#include "shell/report.h"
#include "shell/settings_w32.h"
#include "shell/shell_hooks_w32.h"

void (*g_build_go_to_line)(int line) = nullptr;

namespace {

enum : UINT { kMsgBuildDone = WM_APP + 61 };

// What the worker works on: a copy taken before it starts, so the project may not change
// under it; and what it sends back.
struct BuildJob {
    std::string project, command, make_dir, error_file, fallback_error_file;
    // Filled by the worker.
    bool started = false;
    int exit_code = -1;
    DWORD build_time = 0;
    std::string used_error_file;
    std::vector<std::string> errors;
};

HWND g_sink = nullptr;
HANDLE g_build_thread = nullptr;  // while a build runs
std::vector<std::string> g_result_lines;

void SetMakeMenuText(const char* text) {
    if (g_app && g_app->main_menu)
        ModifyMenuA(g_app->main_menu, 1156, MF_BYCOMMAND | MF_STRING, 1156, text);
}

std::string MessageFilePath(const Project& p) {
    std::string dir = p.has_make && !p.make.make_dir.empty() ? p.make.make_dir : FsWorkingDirectory();
    return PathMadeAbsolute(p.error_file, dir);
}

HANDLE CreateMessageFile(const std::string& path) {
    SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};  // default security, inheritable
    return CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &sa, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

DWORD WINAPI BuildThread(void* parameter) {
    auto* job = static_cast<BuildJob*>(parameter);
    DeleteFileA(job->error_file.c_str());
    if (!FsIsDirectory(job->make_dir)) {
        job->errors.push_back(FormatText("The make directory %s\ndoes not exist.\nImpossible to run make\n",
                                         job->make_dir.c_str()));
    } else {
        job->used_error_file = job->error_file;
        HANDLE messages = CreateMessageFile(job->error_file);
        if (messages == INVALID_HANDLE_VALUE) {
            job->errors.push_back(LowerText(FormatText("Unable to open messages file %s for writing\nDefaulting to %s",
                                                       job->error_file.c_str(), job->fallback_error_file.c_str())));
            job->used_error_file = job->fallback_error_file;
            messages = CreateMessageFile(job->fallback_error_file);
        }
        if (messages == INVALID_HANDLE_VALUE) {
            job->errors.push_back("Impossible to open that too...\nThe environment is screwed up. I quit");
        } else {
            STARTUPINFOA si{};
            si.cb = sizeof si;
            si.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
            si.wShowWindow = SW_HIDE;
            si.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
            si.hStdError = messages;
            PROCESS_INFORMATION pi{};
            std::vector<char> line(job->command.begin(), job->command.end());
            line.push_back('\0');
            DWORD start = GetTickCount();
            if (CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE,
                               CREATE_NEW_PROCESS_GROUP | NORMAL_PRIORITY_CLASS, nullptr, job->make_dir.c_str(), &si,
                               &pi)) {
                job->started = true;
                while (WaitForSingleObject(pi.hProcess, 200) == WAIT_TIMEOUT)
                    if (BuildStopRequested()) TerminateProcess(pi.hProcess, 1);
                job->build_time = GetTickCount() - start;
                DWORD code = 1;
                GetExitCodeProcess(pi.hProcess, &code);
                job->exit_code = static_cast<int>(code);
                CloseHandle(pi.hThread);
                CloseHandle(pi.hProcess);
            } else {
                job->errors.push_back(FormatText("Impossible to execute '%s'", job->command.c_str()));
            }
            CloseHandle(messages);
        }
    }
    if (!PostMessageA(g_sink, kMsgBuildDone, 0, reinterpret_cast<LPARAM>(job))) {
        delete job;
        EndBuildRun();
    }
    return 0;
}

// On the user-interface thread: the worker's results go into the project, then the state
// returns to idle and the results are shown.
void FinishBuild(BuildJob* job) {
    Project* p = CurrentProject();
    if (p && p->name == job->project) {
        p->exit_code = job->exit_code;
        p->build_time = job->build_time;
        if (!job->used_error_file.empty() && job->used_error_file != job->error_file) p->error_file = job->used_error_file;
    }
    SetMakeMenuText("&Make\tF9");
    if (g_build_thread) CloseHandle(g_build_thread);
    g_build_thread = nullptr;
    EndBuildRun();
    ClearBuildStop();
    if (g_app) g_app->build_running = false;
    for (const std::string& e : job->errors) ShowError(e.c_str());
    bool started = job->started;
    delete job;
    if (started) ShowBuildResults();
}

LRESULT CALLBACK SinkProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == kMsgBuildDone) {
        FinishBuild(reinterpret_cast<BuildJob*>(lparam));
        return 0;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

bool EnsureSink() {
    if (!g_sink) g_sink = CreateMessageSink("MorlaBuildSink", SinkProc);
    return g_sink != nullptr;
}

void OnOutputLine(HWND list) {
    std::vector<std::string> lines;
    LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0), clicked = SendMessageA(list, LB_GETCURSEL, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::string text(static_cast<size_t>(SendMessageA(list, LB_GETTEXTLEN, i, 0)) + 1, '\0');
        SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(&text[0]));
        text.resize(strlen(text.c_str()));
        lines.push_back(text);
    }
    if (clicked == LB_ERR) return;
    size_t first = 0;
    JoinContinuations(lines, static_cast<size_t>(clicked), &first);
    SendMessageA(list, LB_SETCURSEL, first, 0);
    GoToDiagnosticLine(lines, static_cast<size_t>(clicked));
}

bool MeasureFits(const std::string& text, void* context) {
    HWND list = static_cast<HWND>(context);
    RECT r;
    GetClientRect(list, &r);
    int width = r.right - GetSystemMetrics(SM_CXVSCROLL);
    HDC dc = GetDC(list);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(list, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(list, dc);
    return width <= 0 || size.cx <= width;
}

HWND OutputList() {
    if (!g_app || !g_app->output) return nullptr;
    HWND holder = reinterpret_cast<HWND>(SendMessageA(g_app->output, kOutListHolder, 0, 0));
    return GetDlgItem(holder ? holder : g_app->output, kOutputListId);
}

void ShowLines(const std::vector<std::string>& lines) {
    g_result_lines.clear();
    HWND list = OutputList();
    for (const std::string& line : lines) {
        std::vector<std::string> parts = list ? WrapLine(line, MeasureFits, list) : std::vector<std::string>{line};
        for (const std::string& part : parts) {
            g_result_lines.push_back(part);
            if (list) OutputAddLine(part.c_str());
        }
    }
    if (list) SendMessageA(list, LB_SETCURSEL, g_result_lines.empty() ? -1 : g_result_lines.size() - 1, 0);
}

// The build page's button shows the last results again.
void FillBuildPage(HWND) {
    for (const std::string& line : g_result_lines) OutputAddLine(line.c_str());
    if (g_app && g_app->output) SendMessageA(g_app->output, kOutSetCallback, 1156, reinterpret_cast<LPARAM>(&OnOutputLine));
}

}  // namespace

void InstallBuildPage() { SetOutputPageFill(1156, FillBuildPage); }

const std::vector<std::string>& BuildResultLines() { return g_result_lines; }

void GoToDiagnosticLine(const std::vector<std::string>& lines, size_t clicked) {
    auto d = ParseDiagnostic(JoinContinuations(lines, clicked), FsWorkingDirectory());
    if (!d) return;
    if (!g_shell_hooks.open_file) {
        ShowStatus(FormatText("%s, line %d", d->file.c_str(), d->line), StatusColour::Red);
        return;
    }
    if (g_shell_hooks.open_file(d->file.c_str(), false) && g_build_go_to_line) g_build_go_to_line(d->line);
}

void ShowBuildResults() {
    Project* p = CurrentProject();
    if (!p) {
        ShowError("No project defined");
        return;
    }
    if (CurrentBuildState() != BuildState::Idle) {
        ShowStatus("Wait till make finishes", StatusColour::Red);
        return;
    }
    if (p->error_file.empty()) DefaultErrorFile(*p);
    if (g_app && g_app->output) {
        SendMessageA(g_app->output, kOutClearExpand, 0, 0);
        SendMessageA(g_app->output, kOutSetCallback, 1156, reinterpret_cast<LPARAM>(&OnOutputLine));
    }
    std::string path = MessageFilePath(*p), bytes;
    if (!FsReadFile(path, bytes)) {
        ShowLines({FormatText("Diagnostics file %s doesn't exist", path.c_str())});
        return;
    }
    bool too_big = false;
    std::vector<std::string> messages = MessageLines(bytes, too_big);
    ShowLines(ResultLines(messages, BuildOutcome{p->exe, p->build_time, p->exit_code}));
    if (too_big) ShowError(FormatText("Message file %s too big", path.c_str()));
}

bool StartBuild() {
    Project* p = CurrentProject();
    if (!p) {
        ShowError("No project defined");
        return false;
    }
    if (CurrentBuildState() == BuildState::Generating) {
        ShowError("Makefile is being generated. Wait till that finishes.");
        return false;
    }
    if (CurrentBuildState() == BuildState::Running) {
        RequestBuildStop();
        return false;
    }
    ProjectEnvironment env = CurrentEnvironment();
    if (!p->has_make && !DefaultMakeDefinition(*p, env)) return false;
    std::string saved_dir = FsWorkingDirectory();
    if (!p->make.make_dir.empty() && !SameTextNoCase(p->make.make_dir, saved_dir)) FsChangeDirectory(p->make.make_dir);
    if (!FsIsDirectory(p->make.make_dir)) {
        ShowError(FormatText("The make directory %s\ndoes not exist.\nImpossible to run make\n", p->make.make_dir.c_str()));
        return false;
    }
    if (!FsIsFile(PathJoin(p->make.make_dir, "makefile"))) {
        bool generated = Ask("Makefile doesn't exist. Generate it?") && GenerateMakefile(*p, env, Win32MakefileHost());
        if (generated && g_project_open) SaveProject(*p, 1);
        if (!generated) {
            FsChangeDirectory(saved_dir);
            return false;
        }
    }
    if (g_project_open) SaveCurrentProjectConfiguration();
    bool started = StartBuildThread();
    FsChangeDirectory(saved_dir);
    return started;
}

bool StartBuildThread() {
    Project* p = CurrentProject();
    if (!p) {
        ShowError("No project defined");
        return false;
    }
    if (p->error_file.empty()) DefaultErrorFile(*p);
    if (!EnsureSink() || !BeginBuildRun()) return false;
    // The state is taken before the worker exists, so a second F9 finds it running.
    if (g_app) g_app->build_running = true;
    p->exit_code = -1;
    p->build_time = 0;
    ClearBuildStop();
    auto* job = new BuildJob;
    job->project = p->name;
    job->command = p->make.make_name.empty() ? "make" : p->make.make_name;
    if (!p->make.make_args.empty()) job->command += " " + p->make.make_args;
    job->make_dir = p->make.make_dir;
    job->error_file = MessageFilePath(*p);
    job->fallback_error_file = PathJoin(p->make.make_dir, "errout.err");
    if (g_app && g_app->output) SendMessageA(g_app->output, kOutClearExpand, 0, 0);
    SetMakeMenuText("Stop build");
    HANDLE thread = CreateThread(nullptr, 0, BuildThread, job, 0, nullptr);
    if (!thread) {
        ReportSystemFailure("CreateThread", static_cast<int>(GetLastError()));
        delete job;
        SetMakeMenuText("&Make\tF9");
        EndBuildRun();
        if (g_app) g_app->build_running = false;
        return false;
    }
    g_build_thread = thread;
    return true;
}

int RunAndWait(const std::string& command_line, int show_mode) {
    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = static_cast<WORD>(show_mode);
    PROCESS_INFORMATION pi{};
    std::vector<char> line(command_line.begin(), command_line.end());
    line.push_back('\0');
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
    WaitForSingleObject(pi.hProcess, INFINITE);
    DWORD code = 0;
    bool known = GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    if (!known) {
        ShowError(FormatText("Impossible to get the exit code for command\n%s", command_line.c_str()));
        return -1;
    }
    return static_cast<int>(code);
}

bool TargetIsUpToDate() {
    Project* p = CurrentProject();
    if (!p || !p->has_make || !(g_config.editor_flags & kTestTargetBeforeDebugging)) return true;
    std::string saved = FsWorkingDirectory();
    FsChangeDirectory(p->make.make_dir);
    int code = RunAndWait(PathJoin(CurrentEnvironment().compiler_root, "bin\\make.exe") + " -q", SW_HIDE);
    FsChangeDirectory(saved);
    if (code != 199) return true;
    if (!Ask(FormatText("%s is not up-to-date.\nRebuild?", p->dbg_exe_name.c_str()))) return true;
    if (!StartBuild()) return false;
    // Waits on the worker's thread handle, dispatching what arrives meanwhile; once it has
    // ended, its posted results are in the queue and are handled without waiting.
    MSG msg;
    while (CurrentBuildState() != BuildState::Idle) {
        HANDLE thread = g_build_thread;
        DWORD woke = thread ? MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_ALLINPUT) : WAIT_OBJECT_0 + 1;
        if (woke == WAIT_FAILED) break;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(msg.wParam));
                return false;
            }
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    Project* after = CurrentProject();
    return after && after->exit_code == 0;
}
