// The output window: page buttons, expand button, run state, status line and the list.
#include <windows.h>

#include <commdlg.h>

#include <ctime>
#include <string>
#include <vector>

#include "shell/app_state_w32.h"
#include "shell/output_model.h"
#include "shell/output_window_w32.h"
#include "shell/settings_w32.h"
#include "shell/shared_area_w32.h"

namespace {

constexpr const char* kOutputClass = "MorlaOutput";
constexpr const char* kFloatingClass = "MorlaOutputFloat";
constexpr UINT_PTR kStatusTimer = 1;
constexpr UINT kSaveMenuItem = 1;

enum : uint32_t { kExpanded = 1, kFloating = 2, kTimedMessage = 0x10 };

struct OutputPage {
    const char* text;
    UINT command;
    HWND button;
};

OutputPage g_normal_pages[] = {{"build", 1156, nullptr}, {"search", 1150, nullptr}};
OutputPage g_debug_pages[] = {{"auto", 10008, nullptr},   {"locals", 10003, nullptr}, {"stack", 10002, nullptr},
                              {"events", 10004, nullptr}, {"search", 1150, nullptr}};

struct PageFill {
    UINT command;
    OutputPageFill fill;
};
std::vector<PageFill> g_fills;

struct OutputWindow {
    HWND window = nullptr, list = nullptr, expand = nullptr, floating = nullptr;
    uint32_t flags = 0;
    UINT current_page = 1156;
    OutputPage* pages = g_normal_pages;
    int page_count = 2;
    int strip_height = 0, border = 0, expanded_height = 0;
    OutputLineCallback callback = nullptr;
    WPARAM callback_data = 0;
    StatusLine status;
    std::string pending;
    HFONT list_font = nullptr;
    int run_state = 0;  // 0 none, kOutStopped, kOutRunning
    int run_state_x = 0;
    WNDPROC list_proc = nullptr;
    bool sizing = false;
};

OutputWindow* g_output;

OutputWindow* StateOf(HWND window) { return reinterpret_cast<OutputWindow*>(GetWindowLongPtrA(window, 0)); }

HWND ListHolder(const OutputWindow* o) { return (o->flags & kFloating) ? o->floating : o->window; }

void RelayOutFrame(OutputWindow* o) {
    g_app->output_height = (o->flags & kExpanded) ? o->expanded_height : o->strip_height;
    HWND frame = GetParent(o->window);
    if (frame) SendMessageA(frame, kMsgLayout, 0, 0);
}

void FocusFrame(const OutputWindow* o) {
    HWND frame = GetParent(o->window);
    if (frame) SetFocus(frame);
}

void SetExpanded(OutputWindow* o, bool expanded) {
    if (expanded && !o->expanded_height) {
        RECT r{};
        GetClientRect(GetParent(o->window), &r);
        o->expanded_height = ExpandedHeight(0, r.bottom);
    }
    o->flags = expanded ? o->flags | kExpanded : o->flags & ~kExpanded;
    if (!(o->flags & kFloating)) ShowWindow(o->list, expanded ? SW_SHOW : SW_HIDE);
    RelayOutFrame(o);
    InvalidateRect(o->expand, nullptr, TRUE);
    FocusFrame(o);
}

// The status line sits at the right end of the strip.
RECT StatusRect(const OutputWindow* o) {
    RECT r;
    GetClientRect(o->window, &r);
    r.top = r.bottom - o->strip_height + o->border;
    r.bottom -= o->border;
    r.left = o->run_state_x + 80;
    r.right -= o->border;
    return r;
}

void RedrawStatus(OutputWindow* o) {
    RECT r = StatusRect(o);
    InvalidateRect(o->window, &r, TRUE);
}

void ShowTimed(OutputWindow* o, const char* text, StatusInk ink) {
    StatusMessage(&o->status, text ? text : "", ink);
    o->flags |= kTimedMessage;
    SetTimer(o->window, kStatusTimer, kStatusMessageMilliseconds, nullptr);
    RedrawStatus(o);
}

void Layout(OutputWindow* o) {
    RECT r;
    GetClientRect(o->window, &r);
    int strip_top = r.bottom - o->strip_height;
    if (!(o->flags & kFloating))
        MoveWindow(o->list, 2 * o->border, 2 * o->border, r.right - 4 * o->border, strip_top - 3 * o->border, TRUE);
    int x = o->border, h = o->strip_height - 2 * o->border;
    int square = GetSystemMetrics(SM_CXSMSIZE);
    if (square > h) square = h;
    MoveWindow(o->expand, x, strip_top + o->border, square, h, TRUE);
    x += square + o->border;
    HDC dc = GetDC(o->window);
    HGDIOBJ old = SelectObject(dc, g_app->ui_font ? g_app->ui_font : GetStockObject(DEFAULT_GUI_FONT));
    for (int i = 0; i < o->page_count; ++i) {
        SIZE extent{};
        GetTextExtentPoint32A(dc, o->pages[i].text, lstrlenA(o->pages[i].text), &extent);
        int w = extent.cx + 4 * o->border + 8;
        MoveWindow(o->pages[i].button, x, strip_top + o->border, w, h, TRUE);
        x += w + o->border;
    }
    SelectObject(dc, old);
    ReleaseDC(o->window, dc);
    o->run_state_x = x + o->border;
}

void CreatePageButtons(OutputWindow* o, OutputPage* pages, int count) {
    for (int i = 0; i < o->page_count; ++i) {
        if (o->pages[i].button) DestroyWindow(o->pages[i].button);
        o->pages[i].button = nullptr;
    }
    o->pages = pages;
    o->page_count = count;
    for (int i = 0; i < count; ++i)
        pages[i].button = CreateWindowExA(0, "BUTTON", pages[i].text, WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 0, 0, 0, 0,
                                          o->window, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(pages[i].command)),
                                          g_app->instance, nullptr);
    o->current_page = pages[0].command;
    Layout(o);
}

// The page's own lines replace whatever another page left in the list.
void FillPage(OutputWindow* o) {
    for (const PageFill& f : g_fills)
        if (f.command == o->current_page && f.fill) {
            SendMessageA(o->list, LB_RESETCONTENT, 0, 0);
            f.fill(o->list);
        }
}

void MarkCurrentPage(OutputWindow* o, UINT command) {
    UINT old = o->current_page;
    o->current_page = command;
    for (int i = 0; i < o->page_count; ++i)
        if (o->pages[i].command == old || o->pages[i].command == command) InvalidateRect(o->pages[i].button, nullptr, TRUE);
}

void SelectPage(OutputWindow* o, UINT command) {
    if (command == o->current_page) {
        SetExpanded(o, true);
        return;
    }
    MarkCurrentPage(o, command);
    FillPage(o);
}

const char* CurrentPageName(const OutputWindow* o) {
    for (int i = 0; i < o->page_count; ++i)
        if (o->pages[i].command == o->current_page) return o->pages[i].text;
    return "";
}

std::vector<std::string> ListLines(HWND list) {
    std::vector<std::string> lines;
    int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        int n = static_cast<int>(SendMessageA(list, LB_GETTEXTLEN, i, 0));
        std::string line(n > 0 ? n : 0, '\0');
        if (n > 0) SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(&line[0]));
        lines.push_back(line);
    }
    return lines;
}

void SaveList(OutputWindow* o) {
    std::vector<std::string> lines = ListLines(o->list);
    if (lines.empty()) {
        SaveOutputLines(lines, "", "", 0);  // says "Nothing to print"
        return;
    }
    char name[MAX_PATH] = "";
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = GetParent(o->window);
    ofn.lpstrFile = name;
    ofn.nMaxFile = sizeof name;
    ofn.lpstrFilter = "All\0*.*\0";
    ofn.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST;
    if (GetSaveFileNameA(&ofn)) SaveOutputLines(lines, CurrentPageName(o), name, std::time(nullptr));
}

void AddLine(OutputWindow* o, const std::string& line) {
    LRESULT at = SendMessageA(o->list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    if (at >= 0) SendMessageA(o->list, LB_SETTOPINDEX, static_cast<WPARAM>(at), 0);
}

LRESULT TakeOtherProcessText(OutputWindow* o) {
    // Copy the text before the sender is let go: it may write the area again at once.
    std::string text = g_app ? SharedAreaText(*g_app) : std::string();
    ReplyMessage(0);
    std::vector<std::string> lines;
    TakeExternalText(&o->pending, text.c_str(), &lines);
    for (const std::string& line : lines) AddLine(o, line);
    return 0;
}

void Float(OutputWindow* o) {
    if (o->flags & kFloating) {
        SetForegroundWindow(o->floating);
        return;
    }
    if (!o->floating) {
        RECT r;
        GetWindowRect(o->window, &r);
        o->floating = CreateWindowExA(WS_EX_TOOLWINDOW, kFloatingClass, "Output",
                                      WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, r.left, r.top - 300,
                                      r.right - r.left, 300, GetParent(o->window), nullptr, g_app->instance, nullptr);
        if (!o->floating) return;
    }
    o->flags |= kFloating;
    SetParent(o->list, o->floating);
    RECT c;
    GetClientRect(o->floating, &c);
    MoveWindow(o->list, 0, 0, c.right, c.bottom, TRUE);
    ShowWindow(o->list, SW_SHOW);
    ShowWindow(o->expand, SW_HIDE);
    ShowWindow(o->floating, SW_SHOW);
    if (o->flags & kExpanded) SetExpanded(o, false);
}

void Dock(OutputWindow* o, bool expand) {
    if (!(o->flags & kFloating)) {
        if (expand) SetExpanded(o, true);
        return;
    }
    o->flags &= ~kFloating;
    SetParent(o->list, o->window);
    ShowWindow(o->floating, SW_HIDE);
    ShowWindow(o->expand, SW_SHOW);
    Layout(o);
    SetExpanded(o, expand);
}

// The list: keys go to the active editor window, clicks give the focus back to the frame.
LRESULT CALLBACK ListProc(HWND list, UINT message, WPARAM wparam, LPARAM lparam) {
    OutputWindow* o = g_output;
    switch (message) {
        case WM_KEYDOWN:
        case WM_CHAR: {
            HWND child = g_app && g_app->mdi_client
                             ? reinterpret_cast<HWND>(SendMessageA(g_app->mdi_client, WM_MDIGETACTIVE, 0, 0))
                             : nullptr;
            if (child) return SendMessageA(child, message, wparam, lparam);
            break;
        }
        case WM_RBUTTONDOWN: {
            HMENU menu = CreatePopupMenu();
            AppendMenuA(menu, MF_STRING, kSaveMenuItem, "Save to file");
            POINT p = {LOWORD(lparam), HIWORD(lparam)};
            ClientToScreen(list, &p);
            UINT chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, p.x, p.y, 0, list, nullptr);
            DestroyMenu(menu);
            if (chosen == kSaveMenuItem) SaveList(o);
            return 0;
        }
        case WM_LBUTTONUP: {
            LRESULT r = CallWindowProcA(o->list_proc, list, message, wparam, lparam);
            if (!(o->flags & kFloating)) FocusFrame(o);
            return r;
        }
        default:
            break;
    }
    return CallWindowProcA(o->list_proc, list, message, wparam, lparam);
}

void DrawButton(OutputWindow* o, const DRAWITEMSTRUCT* d) {
    FillRect(d->hDC, &d->rcItem, GetSysColorBrush(COLOR_BTNFACE));
    RECT r = d->rcItem;
    if (d->CtlID == kOutputExpandId) {
        UINT state = (o->flags & kExpanded) ? DFCS_SCROLLDOWN : DFCS_SCROLLUP;
        DrawFrameControl(d->hDC, &r, DFC_SCROLL, state | ((d->itemState & ODS_SELECTED) ? DFCS_PUSHED : 0));
        return;
    }
    bool current = d->CtlID == o->current_page;
    DrawEdge(d->hDC, &r, current || (d->itemState & ODS_SELECTED) ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    char text[32] = "";
    GetWindowTextA(d->hwndItem, text, sizeof text);
    SetBkMode(d->hDC, TRANSPARENT);
    HGDIOBJ old = SelectObject(d->hDC, g_app->ui_font ? g_app->ui_font : GetStockObject(DEFAULT_GUI_FONT));
    DrawTextA(d->hDC, text, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(d->hDC, old);
}

void Paint(OutputWindow* o) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(o->window, &ps);
    RECT client;
    GetClientRect(o->window, &client);
    RECT strip = client;
    strip.top = client.bottom - o->strip_height;
    FillRect(dc, &strip, GetSysColorBrush(COLOR_BTNFACE));
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ old = SelectObject(dc, g_app->ui_font ? g_app->ui_font : GetStockObject(DEFAULT_GUI_FONT));
    if (o->run_state) {
        RECT r = {o->run_state_x, strip.top, o->run_state_x + 80, strip.bottom};
        SetTextColor(dc, o->run_state == kOutStopped ? RGB(192, 0, 0) : RGB(0, 0, 255));
        DrawTextA(dc, o->run_state == kOutStopped ? "Stopped" : "Running", -1, &r, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    }
    RECT r = StatusRect(o);
    COLORREF ink = o->status.ink == StatusInk::Red    ? RGB(255, 0, 0)
                   : o->status.ink == StatusInk::Navy ? RGB(0, 0, 128)
                                                      : GetSysColor(COLOR_BTNTEXT);
    SetTextColor(dc, ink);
    DrawTextA(dc, o->status.shown.c_str(), -1, &r, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
    EndPaint(o->window, &ps);
}

bool NearTopEdge(const OutputWindow* o, int y) { return (o->flags & kExpanded) && y < 2 * o->border + 2; }

LRESULT Create(HWND window) {
    auto* o = new OutputWindow;
    SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(o));
    g_output = o;
    o->window = window;
    g_app->output = window;
    o->border = GetSystemMetrics(SM_CXBORDER) * 2;
    o->strip_height = 7 * GetSystemMetrics(SM_CYDLGFRAME);
    o->list = CreateWindowExA(WS_EX_CLIENTEDGE, "ListBox", nullptr,
                              WS_CHILD | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, 0, 0, 0, 0, window,
                              reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kOutputListId)), g_app->instance, nullptr);
    o->list_proc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(o->list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ListProc)));
    o->expand = CreateWindowExA(0, "BUTTON", nullptr, WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 0, 0, 0, 0, window,
                                reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kOutputExpandId)), g_app->instance, nullptr);
    CreatePageButtons(o, g_normal_pages, 2);
    RECT frame{};
    GetClientRect(GetParent(window), &frame);
    // The stored height is the expanded one; anything not above the strip means none.
    int stored = g_app->output_height > o->strip_height ? g_app->output_height : 0;
    o->expanded_height = ExpandedHeight(stored, frame.bottom);
    o->list_font = (g_config.editor_flags & kSmallOutputFonts) && g_app->ui_font ? g_app->ui_font : g_app->editor_font;
    if (o->list_font) SendMessageA(o->list, WM_SETFONT, reinterpret_cast<WPARAM>(o->list_font), FALSE);
    g_app->output_height = o->strip_height;
    return 0;
}

LRESULT CALLBACK FloatingProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    OutputWindow* o = g_output;
    switch (message) {
        case WM_SIZE:
            if (o && (o->flags & kFloating)) MoveWindow(o->list, 0, 0, LOWORD(lparam), HIWORD(lparam), TRUE);
            return 0;
        case WM_CLOSE:
            if (o) Dock(o, false);
            return 0;
        case WM_COMMAND:
            if (o && LOWORD(wparam) == kOutputListId && HIWORD(wparam) == LBN_DBLCLK && o->callback) o->callback(o->list);
            return 0;
        default:
            return DefWindowProcA(window, message, wparam, lparam);
    }
}

LRESULT CALLBACK OutputProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_CREATE) return Create(window);
    OutputWindow* o = StateOf(window);
    if (!o) return DefWindowProcA(window, message, wparam, lparam);
    switch (message) {
        case kOutExpand:
            if (!(o->flags & kFloating)) SetExpanded(o, true);
            return 0;
        case kOutClearExpand:
            SendMessageA(o->list, LB_RESETCONTENT, 0, 0);
            if (!(o->flags & kFloating)) SetExpanded(o, true);
            return 0;
        case kOutSetCallback:
            o->callback = reinterpret_cast<OutputLineCallback>(lparam);
            o->callback_data = wparam;
            if (!lparam && !wparam) {
                SendMessageA(o->list, LB_RESETCONTENT, 0, 0);
                o->status.normal.clear();
                StatusTimerEnded(&o->status);
                RedrawStatus(o);
                if (o->flags & kExpanded) SetExpanded(o, false);
            }
            return 0;
        case kOutPosition:
            if (StatusPosition(&o->status, lparam ? reinterpret_cast<const char*>(lparam) : "")) RedrawStatus(o);
            return 0;
        case kOutDebugPages:
            CreatePageButtons(o, g_debug_pages, 5);
            InvalidateRect(window, nullptr, TRUE);
            return 0;
        case kOutNormalPages:
            CreatePageButtons(o, g_normal_pages, 2);
            o->run_state = 0;
            InvalidateRect(window, nullptr, TRUE);
            if (o->flags & kExpanded) SetExpanded(o, false);
            return 0;
        case kOutCallbackData:
            return static_cast<LRESULT>(o->callback_data);
        case kOutSetFont:
            o->list_font = reinterpret_cast<HFONT>(wparam);
            SendMessageA(o->list, WM_SETFONT, wparam, TRUE);
            if ((o->flags & kExpanded) && !(o->flags & kFloating)) {
                for (int i = 0; i < o->page_count; ++i)
                    if (o->pages[i].command == o->callback_data && o->callback_data != o->current_page)
                        SelectPage(o, o->pages[i].command);
            }
            return 0;
        case kOutDock:
            Dock(o, wparam != 0);
            return 0;
        case kOutListHolder:
            return reinterpret_cast<LRESULT>(ListHolder(o));
        case kMsgOutputStatusMenu:
            StatusMenuHelp(&o->status, lparam ? reinterpret_cast<const char*>(lparam) : "", wparam == kMsgOutputStatusMenu);
            RedrawStatus(o);
            return 0;
        case kMsgOutputRed:
            ShowTimed(o, reinterpret_cast<const char*>(lparam), StatusInk::Red);
            return 0;
        case kMsgOutputNavy:
            ShowTimed(o, reinterpret_cast<const char*>(lparam), StatusInk::Navy);
            return 0;
        case kOutClearPrefix:
            StatusClearPrefix(&o->status);
            RedrawStatus(o);
            return 0;
        case kOutSetPrefix:
            StatusSetPrefix(&o->status, lparam ? reinterpret_cast<const char*>(lparam) : "");
            return 0;
        case kOutSave:
            SaveList(o);
            return 0;
        case kOutGetFont:
            return reinterpret_cast<LRESULT>(o->list_font);
        case kOutStopped:
        case kOutRunning:
            o->run_state = static_cast<int>(message);
            InvalidateRect(window, nullptr, TRUE);
            return 0;
        case kOutFocusFrame:
            FocusFrame(o);
            return 0;
        case kMsgExternalText:
            return TakeOtherProcessText(o);
        case WM_GETTEXTLENGTH:
            return lstrlenA(OutputStatusText());
        case WM_GETTEXT:  // the status line, so that other programs and tests can read it
            lstrcpynA(reinterpret_cast<char*>(lparam), OutputStatusText(), static_cast<int>(wparam));
            return lstrlenA(reinterpret_cast<char*>(lparam));
        case WM_TIMER:
            if (wparam == kStatusTimer) {
                KillTimer(window, kStatusTimer);
                o->flags &= ~kTimedMessage;
                StatusTimerEnded(&o->status);
                RedrawStatus(o);
            }
            return 0;
        case WM_SIZE:
            Layout(o);
            InvalidateRect(window, nullptr, TRUE);
            return 0;
        case WM_PAINT:
            Paint(o);
            return 0;
        case WM_DRAWITEM:
            DrawButton(o, reinterpret_cast<const DRAWITEMSTRUCT*>(lparam));
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wparam) == kOutputExpandId) SetExpanded(o, !(o->flags & kExpanded));
            else if (LOWORD(wparam) == kOutputListId) {
                if (HIWORD(wparam) == LBN_DBLCLK && o->callback) o->callback(o->list);
            } else
                SelectPage(o, LOWORD(wparam));
            return 0;
        case WM_LBUTTONDBLCLK:
            Float(o);
            return 0;
        case WM_SETCURSOR:
            if (LOWORD(lparam) == HTCLIENT) {
                POINT p;
                GetCursorPos(&p);
                ScreenToClient(window, &p);
                if (NearTopEdge(o, p.y) || o->sizing) {
                    SetCursor(LoadCursorA(nullptr, IDC_SIZENS));
                    return TRUE;
                }
            }
            break;
        case WM_LBUTTONDOWN:
            if (NearTopEdge(o, static_cast<short>(HIWORD(lparam)))) {
                o->sizing = true;
                SetCapture(window);
            }
            return 0;
        case WM_LBUTTONUP:
            if (o->sizing) {
                o->sizing = false;
                ReleaseCapture();
                POINT p = {static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
                RECT frame{};
                GetClientRect(GetParent(window), &frame);
                int height = o->expanded_height - p.y;
                if (height < 2 * o->strip_height) height = 2 * o->strip_height;
                o->expanded_height = ExpandedHeight(height, frame.bottom);
                RelayOutFrame(o);
            }
            return 0;
        case WM_KEYDOWN:
        case WM_CHAR:
            return ListProc(o->list, message, wparam, lparam);
        case WM_DESTROY:
            KillTimer(window, kStatusTimer);
            if (o->floating) DestroyWindow(o->floating);
            if (g_app && g_app->output == window) g_app->output = nullptr;
            SetWindowLongPtrA(window, 0, 0);
            if (g_output == o) g_output = nullptr;
            delete o;
            return 0;
        default:
            break;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace

namespace {

bool RegisterOnce(HINSTANCE instance, const char* name, WNDPROC proc, int extra) {
    WNDCLASSA wc{};
    if (GetClassInfoA(instance, name, &wc)) return true;
    wc.style = CS_DBLCLKS | CS_HREDRAW;
    wc.lpfnWndProc = proc;
    wc.cbWndExtra = extra;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = name;
    return RegisterClassA(&wc) != 0;
}

}  // namespace

HWND CreateOutputWindow(HWND frame, HINSTANCE instance, int x, int y, int width, int height) {
    if (!RegisterOnce(instance, kOutputClass, OutputProc, sizeof(LONG_PTR)) ||
        !RegisterOnce(instance, kFloatingClass, FloatingProc, 0))
        return nullptr;
    HWND window = CreateWindowExA(0, kOutputClass, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, x, y, width, height,
                                  frame, nullptr, instance, nullptr);
    if (window) RelayOutFrame(StateOf(window));
    return window;
}

void SetOutputPageFill(UINT command, OutputPageFill fill) {
    for (PageFill& f : g_fills)
        if (f.command == command) {
            f.fill = fill;
            return;
        }
    g_fills.push_back({command, fill});
}

void OutputShowPage(UINT command) {
    if (g_output) MarkCurrentPage(g_output, command);
}

void OutputAddLine(const char* text) {
    if (g_output) AddLine(g_output, text ? text : "");
}

void OutputClearLines() {
    if (g_output) SendMessageA(g_output->list, LB_RESETCONTENT, 0, 0);
}

int OutputExpandedHeight() { return g_output ? g_output->expanded_height : 0; }

const char* OutputStatusText() { return g_output ? g_output->status.shown.c_str() : ""; }
