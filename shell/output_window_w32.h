#pragma once
// The output window ("MorlaOutput"): the strip along the bottom of the frame with the
// page buttons, the expand button, the debugger's run state and the status line, and
// above it, when expanded, the list of output lines.
//
// The frame creates it once with CreateOutputWindow; creation records it in
// g_app->output. From then on the report functions' ShowStatus reaches it through the
// message box sink (messages 8038 red and 8039 navy to g_app->output), and the frame
// forwards 26024 to it while a build runs. The window sets g_app->output_height to its
// current height and asks the frame to lay out (8029) whenever that changes.
#include <windows.h>

#include "shell/app_state_w32.h"

// Private messages of the output window (wParam, lParam as noted).
enum : UINT {
    kOutExpand = 8024,         // expand, unless the list floats
    kOutClearExpand = 8025,    // empty the list, then expand
    kOutSetCallback = 8026,    // line callback (lParam, OutputLineCallback) and its data (wParam); both 0: reset
    kOutPosition = 8028,       // caret position text (lParam)
    kOutDebugPages = 8030,     // the debugger's page set
    kOutNormalPages = 8032,    // the normal page set, no run state, collapsed
    kOutCallbackData = 8033,   // returns the callback data
    kOutSetFont = 8034,        // the list's font (wParam)
    kOutDock = 8035,           // dock the floating list (wParam non-zero: and expand)
    kOutListHolder = 8036,     // returns the window that holds the list
    // 8037 menu help, 8038 red and 8039 navy messages: kMsgOutputStatusMenu, kMsgOutputRed, kMsgOutputNavy
    kOutClearPrefix = 8040,
    kOutSetPrefix = 8041,      // lParam, copied
    kOutSave = 8042,           // save the list to a file the user names
    kOutGetFont = 8044,        // returns the list's font
    kOutStopped = 8046,        // run state "Stopped"
    kOutRunning = 8047,        // run state "Running"
    kOutFocusFrame = 8049,
};

inline constexpr int kOutputListId = 4801;
inline constexpr int kOutputExpandId = 5000;

// Called with the list's window (the floating window's list when it floats) when a line
// is double-clicked; the data is returned by 8033.
using OutputLineCallback = void (*)(HWND list);
// Fills the list for a page when its button is selected.
using OutputPageFill = void (*)(HWND list);

// Registers the class (once) and creates the window as a child of the frame.
HWND CreateOutputWindow(HWND frame, HINSTANCE instance, int x, int y, int width, int height);

// The page button with this command (1156 build, 1150 search, 10008 auto, 10003 locals,
// 10002 stack, 10004 events) fills the list with `fill` when selected.
void SetOutputPageFill(UINT command, OutputPageFill fill);

// Marks the page with this command as the one the list shows, for an owner that has
// just filled the list itself (its fill routine is not called).
void OutputShowPage(UINT command);

// Adding lines from the user-interface thread; each is scrolled into view.
void OutputAddLine(const char* text);
void OutputClearLines();

// What the status line shows now (for tests and diagnostics).
const char* OutputStatusText();

// The expanded height, for the configuration (it is what "output_wnd_height" keeps).
int OutputExpandedHeight();
