#include "shell/startup_w32.h"

#include <commctrl.h>

#include <cstring>
#include <string>
#include <vector>

#include "shell/app_state_w32.h"
#include "shell/command_line.h"
#include "shell/command_line_w32.h"
#include "shell/environment.h"
#include "shell/format_buffer.h"
#include "shell/frame_w32.h"
#include "shell/output_window_w32.h"
#include "editor/text_document.h"
#include "shell/dispatch.h"
#include "shell/settings_w32.h"
#include "shell/shell_hooks_w32.h"
#include "shell/subsystems_w32.h"
#include "shell/message_box_w32.h"
#include "shell/messages.h"
#include "shell/report.h"
#include "shell/shared_area_w32.h"

AppState* g_app;

namespace {

constexpr int kSplashDialog = 17301;

HFONT MakeFont(int height, int weight, DWORD pitch_family, const char* face) {
    return CreateFontA(height, 0, 0, 0, weight, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                       DEFAULT_QUALITY, pitch_family, face);
}

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

std::string HelpFileName(HINSTANCE instance) {
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(instance, path, sizeof path);
    if (n == 0 || n >= sizeof path) return "morla.hlp";
    std::string p(path);
    size_t slash = p.find_last_of("\\/");
    if (slash != std::string::npos) return p.substr(0, slash + 1) + "morla.hlp";
    size_t dot = p.rfind('.');
    return (dot == std::string::npos ? p : p.substr(0, dot)) + ".hlp";
}

INT_PTR CALLBACK SplashProc(HWND dialog, UINT message, WPARAM, LPARAM) {
    if (message == WM_INITDIALOG) {
        SetDlgItemTextA(dialog, 100, kProgramTitle);
        SetDlgItemTextA(dialog, 101, MessageText(4233));
        SetDlgItemTextA(dialog, 102, MessageText(4234));
        return TRUE;
    }
    return FALSE;
}

// Steps 1 to 9: the application record, the command line, drawing resources, classes, menus.
bool PrepareApplication(HINSTANCE instance, const char* command_line) {
    g_app = new AppState{};
    g_app->instance = instance;
    g_app->frame_class = MessageText(3969);
    g_app->document_class = MessageText(3970);
    g_app->short_display_class = MessageText(3971);
    g_app->graph_class = MessageText(3972);
    g_app->function_tree_class = MessageText(3973);
    g_app->another_instance = FindWindowA(g_app->frame_class, nullptr) != nullptr;

    g_app->command_line = SkipProgramName(command_line ? command_line : "");
    g_app->output_height = 7 * GetSystemMetrics(SM_CYDLGFRAME);
    g_app->start_ticks = GetTickCount();
    HDC screen = GetDC(nullptr);
    g_app->colour_count = GetDeviceCaps(screen, NUMCOLORS);
    ReleaseDC(nullptr, screen);
    GetCurrentDirectoryA(sizeof g_app->start_directory, g_app->start_directory);

    g_app->yellow_brush = CreateSolidBrush(RGB(255, 255, 0));
    CreateSharedArea(*g_app);
    g_app->help_file = HelpFileName(instance);
    if (!g_app->command_line.empty()) g_app->options = ScanOptions(g_app->command_line);

    g_app->frame_brush = g_app->colour_count >= 0 && g_app->colour_count < 255 ? CreateSolidBrush(GetSysColor(COLOR_MENU))
                                                                              : CreateSolidBrush(0xE0E0E0);
    g_app->document_icon = g_app->editor_icon = LoadIconA(nullptr, IDI_APPLICATION);
    if (!RegisterWindowClasses(instance)) return false;

    g_app->main_menu = BuildMainMenu();
    g_app->accelerators = BuildAccelerators();
    g_app->file_popup = GetSubMenu(g_app->main_menu, 0);
    g_app->popup3 = GetSubMenu(g_app->main_menu, 3);
    g_app->popup5 = GetSubMenu(g_app->main_menu, 5);
    g_app->window_popup = GetSubMenu(g_app->main_menu, 8);
    g_app->file_menu_count = GetMenuItemCount(g_app->file_popup);

    g_app->highlight_brush = CreateSolidBrush(GetSysColor(COLOR_HIGHLIGHT));
    g_app->fixed_font_large = MakeFont(18, FW_NORMAL, FIXED_PITCH | FF_MODERN, "Courier New");
    g_app->fixed_font_small = MakeFont(15, FW_NORMAL, FIXED_PITCH | FF_MODERN, "Courier New");
    // Height 8 chooses the 8-point size of these raster faces; where a scalable face stands in
    // for them (Wine), an 8-pixel font would be unreadable, so ask for 8 points.
    int small = -MulDiv(8, ScreenDpi(), 72);
    g_app->ui_font = MakeFont(small, FW_NORMAL, DEFAULT_PITCH, "MS Sans Serif");
    g_app->helv_font = MakeFont(small, 100, VARIABLE_PITCH | FF_SWISS, MessageText(3975));
    g_app->white_pen = CreatePen(PS_SOLID, 2, 0xFFFFFF);
    g_app->grey_pen = CreatePen(PS_SOLID, 2, 0x808080);
    g_app->white_stock_pen = static_cast<HPEN>(GetStockObject(WHITE_PEN));
    g_app->screen_width = GetSystemMetrics(SM_CXSCREEN);
    g_app->screen_height = GetSystemMetrics(SM_CYSCREEN);
    g_app->hand_cursor = LoadCursorA(nullptr, IDC_HAND);
    g_app->editor_font = MakeFont(-13, FW_NORMAL, FIXED_PITCH | FF_MODERN, "Courier New");
    return true;
}

void ReleaseApplication() {
    for (HGDIOBJ object : {static_cast<HGDIOBJ>(g_app->frame_brush), static_cast<HGDIOBJ>(g_app->highlight_brush),
                           static_cast<HGDIOBJ>(g_app->editor_font), static_cast<HGDIOBJ>(g_app->fixed_font_large),
                           static_cast<HGDIOBJ>(g_app->fixed_font_small), static_cast<HGDIOBJ>(g_app->ui_font),
                           static_cast<HGDIOBJ>(g_app->helv_font), static_cast<HGDIOBJ>(g_app->white_pen),
                           static_cast<HGDIOBJ>(g_app->grey_pen), static_cast<HGDIOBJ>(g_app->child_brush),
                           static_cast<HGDIOBJ>(g_app->yellow_brush)})
        if (object) DeleteObject(object);
    if (g_app->accelerators) DestroyAcceleratorTable(g_app->accelerators);
    CloseSharedArea(*g_app);
}

void SetCompilerPath(const std::string& root) {
    char path[32767];
    DWORD n = GetEnvironmentVariableA("PATH", path, sizeof path);
    std::string current = n && n < sizeof path ? path : "";
    std::string wanted = PathWithCompilerBin(current, root);
    if (wanted != current) SetEnvironmentVariableA("PATH", wanted.c_str());
}

int MessageLoop() {
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (g_app->mdi_client && TranslateMDISysAccel(g_app->mdi_client, &msg)) continue;
        if (g_app->frame && TranslateAcceleratorA(g_app->frame, g_app->accelerators, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace

int RunMorla(HINSTANCE instance, const char* command_line) {
    InstallMessageBoxes();
    if (!PrepareApplication(instance, command_line)) return 0;

    char program[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, program, sizeof program);
    bool configured = LoadProgramConfiguration(program, g_app->start_directory);
    g_app->compiler_root = g_config.compiler_root;
    g_app->frame_zoomed = g_config.frame_zoomed != 0;
    if (g_config.output_wnd_height > 0) g_app->output_height = g_config.output_wnd_height;
    g_shell_hooks.save_configuration = SaveProgramConfiguration;

    int x = g_config.frame_x, y = g_config.frame_y, width = g_config.frame_cx, height = g_config.frame_cy;
    if (width <= 0 || height == 0 || g_app->another_instance) x = y = width = height = CW_USEDEFAULT;
    HWND frame = CreateFrame(x, y, width, height, g_app->frame_zoomed);
    if (!frame) return 0;
    g_app->small_popup = CreateWindowExA(0, "smallTextPopup", nullptr, WS_POPUP | WS_BORDER, 0, 0, 10, 10, frame,
                                         nullptr, instance, nullptr);
    if (g_app->small_popup) SendMessageA(g_app->small_popup, WM_SETFONT, reinterpret_cast<WPARAM>(g_app->ui_font), 0);
    if (g_app->options.splash)
        g_app->splash = CreateDialogParamA(instance, MAKEINTRESOURCEA(kSplashDialog), frame, SplashProc, 0);
    ShowWindow(frame, g_app->frame_zoomed ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
    UpdateWindow(frame);

    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    g_editor_flags = static_cast<uint32_t>(g_config.editor_flags);
    RECT client;
    GetClientRect(frame, &client);
    CreateOutputWindow(frame, instance, 0, client.bottom - g_app->output_height, client.right, g_app->output_height);
    PostMessageA(frame, kMsgLayout, 0, 0);
    if (!g_config.current_dir.empty() && !SetCurrentDirectoryA(g_config.current_dir.c_str())) {
        ShowError(FormatText(MessageText(4380), g_config.current_dir.c_str()));
        SetCurrentDirectoryA(g_app->start_directory);
    }
    SetFrameTitle(nullptr);
    DrawMenuBar(frame);

    InstallSubsystems();
    CommandLineFiles files;
    if (!g_app->options.debug_process) files = ParseFileNames(g_app->command_line);
    int opened = OpenCommandLineFiles(files);
    if (opened > 0 || !g_app->command_line.empty()) {
        g_app->options.reopen_files = g_app->options.reopen_project = false;
        if (HWND child = reinterpret_cast<HWND>(SendMessageA(g_app->mdi_client, WM_MDIGETACTIVE, 0, 0)))
            SendMessageA(g_app->mdi_client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child), 0);
    } else if (!g_app->options.debug_process && g_app->options.reopen_files) {
        ReopenPreviousRun(g_config.current_project.empty() ? g_config.open_files : g_config.project.open_files, "");
        if (!g_config.current_file.empty()) OpenNamedFile(g_config.current_file.c_str(), false);
    }
    if (g_app->options.debug_process) ReportNotAvailable(1268);  // the debugger is not built yet
    // A command line that names anything leaves the previous run's configuration alone.
    g_app->save_configuration = configured && g_app->command_line.empty() && g_app->options.reopen_project;
    SetCompilerPath(g_app->compiler_root);

    if (g_app->splash) DestroyWindow(g_app->splash);
    g_app->splash = nullptr;
    SetForegroundWindow(frame);

    int result = MessageLoop();
    ReleaseApplication();
    return result;
}
