#pragma once
// The one application record, reached through g_app for the whole process.
#include <windows.h>

#include <string>

#include "shell/command_line.h"

// Private window messages of the frame and the output window.
enum : UINT {
    kMsgDispatch = 2024,         // dispatch wParam as a command
    kMsgLayout = 8029,           // lay out the frame once after creation
    kMsgCheckDisk = 10024,       // check documents for changes on disk
    kMsgDebugAttach = 10524,     // attach the debugger to process wParam
    kMsgExternalText = 26024,    // text from another process in the shared area
    kMsgBuildRunning = 26025,    // returns whether a build runs
    kMsgFrameKey = 4194,         // a key sent on by another window
    kMsgOutputStatusMenu = 8037,
    kMsgOutputRed = 8038,
    kMsgOutputNavy = 8039,
};

inline constexpr int kSharedAreaSize = 4096;
inline constexpr int kSharedViewSize = 1024;
inline constexpr int kWindowExtraBytes = 40;
inline constexpr UINT kFirstChildId = 1350;

struct AppState {
    HINSTANCE instance;
    HFONT editor_font;
    HACCEL accelerators;
    HICON document_icon, editor_icon;
    HBRUSH frame_brush, yellow_brush, highlight_brush, child_brush;
    const char* frame_class;
    const char* document_class;
    const char* short_display_class;
    const char* graph_class;
    const char* function_tree_class;
    char start_directory[400];
    int file_menu_count;
    HMENU main_menu, file_popup, popup3, popup5, window_popup;
    HFONT ui_font, helv_font, fixed_font_large, fixed_font_small;
    HPEN white_pen, grey_pen, white_stock_pen;
    int screen_width, screen_height;
    HCURSOR hand_cursor;
    HBITMAP current_line_bitmap, breakpoint_bitmap;
    HWND frame, mdi_client, output, small_popup, splash;
    int output_height;
    DWORD start_ticks;
    int colour_count;
    StartOptions options;
    bool another_instance;
    bool save_configuration;
    HANDLE shared_mapping;
    char* shared_view;
    std::string command_line;  // after the program name
    std::string help_file;
    std::string compiler_root;
    int help_opened;
    short opening_in_progress;
    bool debugging;
    bool build_running;
    HWND resource_editor;
    RECT frame_normal;  // the frame's rectangle when neither minimized nor maximized
    bool frame_zoomed;
};

extern AppState* g_app;

// The program's title, as shown on the frame.
inline constexpr const char* kProgramTitle = "Morla";
