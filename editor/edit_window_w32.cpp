#include "editor/edit_window_w32.h"

#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "analysis/document_scan.h"
#include "analysis/language.h"
#include "editor/block_alloc.h"
#include "editor/context_menu_w32.h"
#include "editor/bookmarks.h"
#include "editor/brace_levels.h"
#include "editor/caret_status.h"
#include "editor/edit_clipboard.h"
#include "editor/edit_motion.h"
#include "editor/edit_typing.h"
#include "editor/line_colouring.h"
#include "editor/marked_ranges.h"
#include "editor/text_tabs.h"
#include "editor/undo_journal.h"
#include "editor/view_commands_w32.h"
#include "editor/view_scroll.h"
#include "shell/app_state_w32.h"
#include "shell/commands.h"
#include "shell/format_buffer.h"
#include "shell/frame_w32.h"
#include "shell/messages.h"
#include "shell/report.h"
#include "shell/settings_w32.h"

namespace {

constexpr int kRowLimit = 498;           // expanded columns shown
constexpr int kCommentLookBack = 200;    // lines read above the top for an open block comment
constexpr UINT kOutputPosition = 8028;   // caret position text for the output window's status line
constexpr UINT_PTR kDragTimer = 1;
constexpr UINT_PTR kStatusTimer = 2;  // the status line follows a burst of keys once it pauses
constexpr UINT kStatusDelay = 60;     // ms
constexpr COLORREF kBreakpointText = RGB(192, 0, 0);
constexpr COLORREF kMarkedLine = RGB(128, 255, 255);
constexpr COLORREF kExecutionLine = RGB(0, 0, 128);
constexpr COLORREF kContinuationMark = RGB(255, 0, 255);
constexpr COLORREF kMarkedRangeText = RGB(0, 0, 160);
constexpr COLORREF kMarkedRangeBackground = RGB(255, 255, 160);
constexpr int kMarginWidth = 20;

EditWindow* g_views;
EditWindow* g_current;

struct Metrics {
    int line_height, char_width;
};

HFONT EditorFont() {
    return g_app->editor_font ? g_app->editor_font : static_cast<HFONT>(GetStockObject(ANSI_FIXED_FONT));
}

Metrics ViewMetrics() {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, EditorFont());
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    Metrics m{tm.tmHeight + tm.tmExternalLeading, tm.tmAveCharWidth};
    if (m.line_height < 1) m.line_height = 16;
    if (m.char_width < 1) m.char_width = 8;
    return m;
}

int Margin() { return g_app->debugging || BraceLevelsShown() ? kMarginWidth : 0; }

int VisibleRows(const EditWindow* v) {
    RECT r;
    GetClientRect(v->window, &r);
    int rows = r.bottom / ViewMetrics().line_height;
    return rows < 2 ? 2 : rows;
}

int VisibleColumns(const EditWindow* v) {
    RECT r;
    GetClientRect(v->window, &r);
    int columns = (r.right - Margin()) / ViewMetrics().char_width;
    return columns < 2 ? 2 : columns;
}

std::string RowText(const EditWindow* v, const TextLine* line) {
    // One padding blank ends every row, so a keyword at the line's end is followed by a delimiter.
    return ExpandTabs(line->text, line->length, v->cursor.tab_width, kRowLimit) + ' ';
}

int TextWidth(HDC dc, const std::string& text, int from, int to) {
    if (to <= from) return 0;
    SIZE size{};
    GetTextExtentPoint32A(dc, text.data() + from, to - from, &size);
    return size.cx;
}

int CaretExpandedColumn(const EditWindow* v) {
    const TextPosition& c = v->cursor.caret;
    if (IsHead(v->cursor.doc, c)) return 0;
    return ExpandedColumn(c.line->text, c.line->length, c.column, v->cursor.tab_width);
}

int CommentStateAt(const EditWindow* v, const TextPosition& top) {
    const TextDocument* doc = v->cursor.doc;
    if (!doc->language || IsHead(doc, top)) return 0;
    TextPosition p = PositionNear(doc, top, top.number - kCommentLookBack, 0);
    int state = 0;
    std::vector<ColourSpan> spans;
    for (; p.number < top.number; p = {p.line->next, p.number + 1, 0})
        ColourLine(doc->language, p.line->text, p.line->length, &state, &spans);
    return state;
}

COLORREF KindColour(ColourKind kind) {
    switch (kind) {
        case ColourKind::Keyword: return static_cast<COLORREF>(g_config.keyword_color);
        case ColourKind::Comment: return static_cast<COLORREF>(g_config.comment_color);
        case ColourKind::Continuation: return kContinuationMark;
        case ColourKind::Marked: return kMarkedRangeText;
        default: return static_cast<COLORREF>(g_config.text_color);
    }
}

void FillRect(HDC dc, int left, int top, int right, int bottom, COLORREF colour) {
    RECT r{left, top, right, bottom};
    SetBkColor(dc, colour);
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
}

// Draws one row: its text coloured from the horizontal offset, the rest of the row in
// the background, the continuation box and the selection.
void PaintRow(EditWindow* v, HDC dc, const TextPosition& line, int y, int width, int* comment_state) {
    Metrics m = ViewMetrics();
    int margin = Margin();
    COLORREF background = static_cast<COLORREF>(g_config.background_color);
    const TextDocument* doc = v->cursor.doc;
    if (IsHead(doc, line)) {
        FillRect(dc, margin, y, width, y + m.line_height, background);
        return;
    }
    uint8_t marks = line.line->flags;
    bool execution = g_app->debugging && (marks & kMarkExecution);
    bool highlighted = (marks & kMarkBookmark) || (g_app->debugging && (marks & kMarkBreakpoint));
    COLORREF row_background = execution ? kExecutionLine : highlighted ? kMarkedLine : background;
    std::string text = RowText(v, line.line);
    std::vector<ColourSpan> spans;
    ColourLine(doc->language, text.data(), static_cast<int>(text.size()), comment_state, &spans);
    spans = OverlayMarked(spans, MarkedColumns(doc, line.number, line.line, v->cursor.tab_width));
    int x = margin;
    int offset = v->horizontal_offset;
    SetBkColor(dc, row_background);
    for (const ColourSpan& s : spans) {
        int from = s.start < offset ? offset : s.start, to = s.start + s.length;
        if (to <= from) continue;
        COLORREF colour = KindColour(s.kind);
        if (execution) colour = RGB(255, 255, 255);
        else if ((marks & kMarkBreakpoint) && !g_app->debugging) colour = kBreakpointText;
        SetTextColor(dc, colour);
        SetBkColor(dc, s.kind == ColourKind::Marked && !execution ? kMarkedRangeBackground : row_background);
        TextOutA(dc, x, y, text.data() + from, to - from);
        x += TextWidth(dc, text, from, to);
        if (x >= width) break;
    }
    if (x < width) {
        FillRect(dc, x, y, width, y + m.line_height, row_background);
    } else if (static_cast<int>(text.size()) - offset > VisibleColumns(v)) {
        RECT box{width - m.char_width, y + 1, width - 1, y + m.line_height - 1};
        FrameRect(dc, &box, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
    }
    TextPosition from, to;
    if (SelectionRange(&v->cursor, &from, &to) && line.number >= from.number && line.number <= to.number) {
        int start = line.number == from.number ? ExpandedColumn(line.line->text, line.line->length, from.column, v->cursor.tab_width) : 0;
        int end = line.number == to.number ? ExpandedColumn(line.line->text, line.line->length, to.column, v->cursor.tab_width)
                                           : static_cast<int>(text.size());
        if (start < offset) start = offset;
        if (end > static_cast<int>(text.size())) end = static_cast<int>(text.size());
        if (end > start) {
            RECT sel{margin + TextWidth(dc, text, offset, start), y, margin + TextWidth(dc, text, offset, end),
                     y + m.line_height};
            InvertRect(dc, &sel);
        }
    }
    if (g_app->debugging) {
        HBITMAP mark = execution ? g_app->current_line_bitmap : (marks & kMarkBreakpoint) ? g_app->breakpoint_bitmap : nullptr;
        if (mark) {
            HDC bitmap_dc = CreateCompatibleDC(dc);
            HGDIOBJ old = SelectObject(bitmap_dc, mark);
            BitBlt(dc, 2, y, 16, m.line_height < 16 ? m.line_height : 16, bitmap_dc, 0, 0, SRCCOPY);
            SelectObject(bitmap_dc, old);
            DeleteDC(bitmap_dc);
        }
    }
}

// The brace levels of the visible lines left of a vertical line in the margin.
void PaintBraceLevels(EditWindow* v, HDC dc, int rows, int height) {
    Metrics m = ViewMetrics();
    std::vector<int> levels = BraceLevels(v->cursor.doc, v->cursor.top.number, rows);
    SetTextColor(dc, static_cast<COLORREF>(g_config.text_color));
    SetBkColor(dc, static_cast<COLORREF>(g_config.background_color));
    for (size_t row = 0; row < levels.size(); ++row) {
        char digits[12];
        int n = wsprintfA(digits, "%d", levels[row]);
        TextOutA(dc, 1, static_cast<int>(row) * m.line_height, digits, n);
    }
    HGDIOBJ old = SelectObject(dc, GetStockObject(BLACK_PEN));
    MoveToEx(dc, kMarginWidth - 2, 0, nullptr);
    LineTo(dc, kMarginWidth - 2, height);
    SelectObject(dc, old);
}

void Paint(EditWindow* v) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(v->window, &ps);
    RECT client;
    GetClientRect(v->window, &client);
    if (client.right > 0 && client.bottom > 0 && v->cursor.doc) {
        // Drawn off screen and copied in one piece, so rows do not flicker.
        HDC memory = CreateCompatibleDC(dc);
        HBITMAP bitmap = CreateCompatibleBitmap(dc, client.right, client.bottom);
        HGDIOBJ old_bitmap = SelectObject(memory, bitmap);
        HGDIOBJ old_font = SelectObject(memory, EditorFont());
        COLORREF background = static_cast<COLORREF>(g_config.background_color);
        FillRect(memory, 0, 0, client.right, client.bottom, background);
        Metrics m = ViewMetrics();
        TextPosition line = v->cursor.top;
        int state = CommentStateAt(v, line);
        DropInvalidMarkedRanges(v->cursor.doc);
        for (int y = 0; y < client.bottom; y += m.line_height) {
            PaintRow(v, memory, line, y, client.right, &state);
            if (!IsHead(v->cursor.doc, line)) line = {line.line->next, line.number + 1, 0};
        }
        if (BraceLevelsShown()) PaintBraceLevels(v, memory, client.bottom / m.line_height + 1, client.bottom);
        BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
        SelectObject(memory, old_font);
        SelectObject(memory, old_bitmap);
        DeleteObject(bitmap);
        DeleteDC(memory);
    }
    EndPaint(v->window, &ps);
    v->repaint_flags = 0;
}

void PlaceCaret(EditWindow* v) {
    if (GetFocus() != v->window) return;
    Metrics m = ViewMetrics();
    int row = v->cursor.caret.number - v->cursor.top.number;
    int x = Margin();
    if (!IsHead(v->cursor.doc, v->cursor.caret)) {
        std::string text = RowText(v, v->cursor.caret.line);
        int column = CaretExpandedColumn(v);
        HDC dc = GetDC(v->window);
        HGDIOBJ old = SelectObject(dc, EditorFont());
        if (column > static_cast<int>(text.size())) text.append(static_cast<size_t>(column) - text.size(), ' ');
        x += TextWidth(dc, text, v->horizontal_offset, column);
        SelectObject(dc, old);
        ReleaseDC(v->window, dc);
    }
    SetCaretPos(x, row * m.line_height);
}

void CreateViewCaret(EditWindow* v) {
    Metrics m = ViewMetrics();
    int width = v->cursor.overwrite ? m.char_width : m.char_width / 3;
    CreateCaret(v->window, nullptr, width < 1 ? 1 : width, m.line_height);
    PlaceCaret(v);
    ShowCaret(v->window);
}

void UpdateScrollBar(EditWindow* v) {
    ScrollRange range = VerticalScrollRange(v->cursor.doc->line_count, VisibleRows(v), v->cursor.caret.number);
    SetScrollRange(v->window, SB_VERT, range.min, range.max, range.max == 0);
    if (range.max) SetScrollPos(v->window, SB_VERT, range.position, TRUE);
}

// The frame title of a maximised child follows the child's text whenever it is set.
void RenameFrameAfter(HWND window) {
    char title[kDocumentNameSize + 2] = "";
    GetWindowTextA(window, title, sizeof title);
    DefMDIChildProcA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(title));
}

void UpdateTitle(EditWindow* v) {
    std::string title = v->cursor.doc->name;
    if (IsModified(v->cursor.doc)) title += '*';
    char current[kDocumentNameSize + 2];
    GetWindowTextA(v->window, current, sizeof current);
    if (title != current) SetWindowTextA(v->window, title.c_str());
}

void UpdateStatus(EditWindow* v) {
    if (!g_app->output || v != g_current) return;
    std::string text = CaretStatusText(v->cursor.doc, v->cursor.caret);
    SendMessageA(g_app->output, kOutputPosition, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void KeepCaretInColumns(EditWindow* v) {
    int column = CaretExpandedColumn(v), columns = VisibleColumns(v);
    if (column < v->horizontal_offset) v->horizontal_offset = column > 10 ? column - 10 : 0;
    else if (column >= v->horizontal_offset + columns - 1) v->horizontal_offset = column - columns + 10;
}

void MakeCurrent(EditWindow* v) {
    if (g_current && g_current != v && g_current->cursor.doc) {
        // The outgoing view leaves its caret and selection with its document.
        TextDocument* doc = g_current->cursor.doc;
        doc->caret_line = g_current->cursor.caret.line;
        doc->caret_column = static_cast<uint16_t>(g_current->cursor.caret.column);
        doc->selection_line = g_current->cursor.anchor.line;
        doc->selection_column = static_cast<uint16_t>(g_current->cursor.anchor.column);
    }
    g_current = v;
}

// Scrolls the window content by one line in the configured number of steps and
// draws the new row only.
void ScrollOneLine(EditWindow* v, int direction) {
    if (!ScrollLines(&v->cursor, direction)) return;
    Metrics m = ViewMetrics();
    int steps = g_config.sub_scroll < 1 ? 1 : g_config.sub_scroll;
    if (steps > m.line_height) steps = m.line_height;
    int step = m.line_height / steps, moved = 0;
    HideCaret(v->window);
    while (moved < m.line_height) {
        int dy = moved + step * 2 > m.line_height ? m.line_height - moved : step;
        ScrollWindowEx(v->window, 0, -direction * dy, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE);
        moved += dy;
        UpdateWindow(v->window);
    }
    PlaceCaret(v);
    ShowCaret(v->window);
}

TextPosition PositionFromPoint(EditWindow* v, int x, int y) {
    Metrics m = ViewMetrics();
    int row = y < 0 ? -1 : y / m.line_height;
    const TextDocument* doc = v->cursor.doc;
    TextPosition p = PositionNear(doc, v->cursor.top, v->cursor.top.number + row, 0);
    if (IsHead(doc, p)) return p;
    std::string text = RowText(v, p.line);
    HDC dc = GetDC(v->window);
    HGDIOBJ old = SelectObject(dc, EditorFont());
    int target = x - Margin(), column = v->horizontal_offset, best = 0;
    int limit = static_cast<int>(text.size()) - 1;
    if (limit > 500) limit = 500;
    // The expanded column whose left edge is nearest to x.
    for (int c = v->horizontal_offset; c <= limit; ++c) {
        int left = TextWidth(dc, text, v->horizontal_offset, c);
        if (c == v->horizontal_offset || std::abs(left - target) < best) {
            best = std::abs(left - target);
            column = c;
        }
    }
    SelectObject(dc, old);
    ReleaseDC(v->window, dc);
    p.column = ColumnOfExpanded(p.line->text, p.line->length, column, v->cursor.tab_width);
    return p;
}

void DropEmptySelection(EditWindow* v) {
    if (HasSelection(&v->cursor) && SamePlace(v->cursor.anchor, v->cursor.caret)) DropSelection(&v->cursor);
}

void MouseDown(EditWindow* v, int x, int y, bool shift) {
    RECT client;
    GetClientRect(v->window, &client);
    const TextPosition& caret = v->cursor.caret;
    int caret_length = IsHead(v->cursor.doc, caret) ? 0 : caret.line->length;
    if (x > client.right - 15) {
        if (caret_length > v->horizontal_offset + VisibleColumns(v) - 10) v->horizontal_offset += 10;
        InvalidateRect(v->window, nullptr, FALSE);
        return;
    }
    if (x < 15 && v->horizontal_offset >= 10) {
        v->horizontal_offset -= 10;
        InvalidateRect(v->window, nullptr, FALSE);
        return;
    }
    JournalMotion(&v->cursor, kJournalMouse);
    TextPosition p = PositionFromPoint(v, x, y);
    if (shift) StartSelection(&v->cursor);
    v->cursor.caret = p;
    if (!shift) {
        v->cursor.anchor = p;
        v->dragging = true;
        SetCapture(v->window);
    }
    v->repaint_flags |= kRepaintAll;
    RefreshView(v);
}

void MouseDrag(EditWindow* v, int x, int y) {
    if (!v->dragging) return;
    RECT client;
    GetClientRect(v->window, &client);
    if (y < 0 || y >= client.bottom) {
        ScrollLines(&v->cursor, y < 0 ? -1 : 1);
        SetTimer(v->window, kDragTimer, 25, nullptr);
    } else {
        KillTimer(v->window, kDragTimer);
    }
    TextPosition p = PositionFromPoint(v, x, y < 0 ? 0 : y >= client.bottom ? client.bottom - 1 : y);
    if (SamePlace(p, v->cursor.caret)) return;
    v->cursor.caret = p;
    v->repaint_flags |= kRepaintAll;
    RefreshView(v);
}

void EndDrag(EditWindow* v) {
    if (!v->dragging) return;
    v->dragging = false;
    KillTimer(v->window, kDragTimer);
    ReleaseCapture();
    DropEmptySelection(v);
}

uint16_t HeldModifiers() {
    uint16_t held = 0;
    if (GetKeyState(VK_CONTROL) < 0) held |= kModCtrl;
    if (GetKeyState(VK_MENU) < 0) held |= kModAlt;
    if (GetKeyState(VK_SHIFT) < 0) held |= kModShift;
    return held;
}

// The built-in keys; false for a key that is not one of them.
bool BuiltInKey(EditWindow* v, WPARAM key, int repeat, uint16_t held) {
    EditCursor* c = &v->cursor;
    bool ok = true, keep_selection = false;
    int rows = VisibleRows(v);
    switch (key) {
        case VK_ESCAPE:
            PostMessageA(g_app->frame, WM_COMMAND, 1280, 0);
            return true;
        case VK_PRIOR:
        case VK_NEXT:
            DropSelection(c);
            ok = MoveCaret(c, key == VK_PRIOR ? Motion::PageUp : Motion::PageDown, rows * repeat);
            v->repaint_flags |= kRepaintAll;
            break;
        case VK_END: ok = MoveCaret(c, Motion::End); break;
        case VK_HOME: ok = MoveCaret(c, Motion::Home); break;
        case VK_LEFT:
            if (HasSelection(c)) {
                c->caret = c->anchor;
                v->repaint_flags |= kRepaintAll;
            } else {
                ok = MoveCaret(c, Motion::Left, repeat);
            }
            break;
        case VK_RIGHT: ok = MoveCaret(c, Motion::Right, repeat); break;
        case VK_UP:
        case VK_DOWN: {
            DropSelection(c);
            int direction = key == VK_UP ? -1 : 1;
            if (held & kModCtrl) {
                ScrollOneLine(v, direction);
                break;
            }
            ok = MoveCaret(c, key == VK_UP ? Motion::Up : Motion::Down, repeat);
            // A one-line move past the window's edge scrolls smoothly.
            if (ok && repeat == 1 && (c->caret.number < c->top.number || c->caret.number >= c->top.number + rows))
                ScrollOneLine(v, direction);
            break;
        }
        case VK_INSERT:
            c->overwrite = !c->overwrite;
            DestroyCaret();
            CreateViewCaret(v);
            keep_selection = true;
            break;
        case VK_DELETE:
            ok = DeleteKey(c, repeat);
            v->repaint_flags |= kRepaintAll;
            break;
        default:
            return false;
    }
    if (!ok) MessageBeep(MB_OK);
    if (!keep_selection && key != VK_DELETE) DropSelection(c);
    v->repaint_flags |= kRepaintAll;
    RefreshView(v);
    return true;
}

bool KeyDown(EditWindow* v, WPARAM key, LPARAM lparam) {
    if (key == VK_CONTROL || key == VK_SHIFT) return true;
    if (key == VK_MENU) return false;
    int repeat = LOWORD(lparam) ? LOWORD(lparam) : 1;
    uint16_t held = HeldModifiers();
    uint16_t command = 0;
    if (g_app->debugging) command = CommandForKey(kDebuggerKeys, static_cast<uint16_t>(key), held);
    if (!command) command = CommandForKey(kCommandKeys, static_cast<uint16_t>(key), held);
    if (command) {
        RunViewCommand(command);
        return true;
    }
    if (held & kModAlt) return false;
    return BuiltInKey(v, key, repeat, held);
}

void KeyUp(WPARAM key) {
    switch (key) {
        case VK_UP: case VK_DOWN: case VK_F2: case VK_F3: case VK_F4: case VK_F5: case VK_F8: case VK_F9: {
            // Queued repeats of a released key are dropped, so the caret stops at once.
            MSG msg;
            while (PeekMessageA(&msg, nullptr, WM_KEYDOWN, WM_KEYDOWN, PM_NOREMOVE) && msg.wParam == key)
                PeekMessageA(&msg, nullptr, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE);
            break;
        }
        default:
            break;
    }
}

EditWindow* CreateView(HWND window, TextDocument* doc) {
    void* block = AllocateBlock(sizeof(EditWindow));
    if (!block) return nullptr;
    EditWindow* v = new (block) EditWindow{};
    v->window = window;
    v->repaint_flags = kRepaintAll;
    AttachCursor(&v->cursor, doc);
    v->cursor.window = window;
    v->cursor.tab_width = g_config.tab_size < 1 ? 4 : g_config.tab_size;
    v->cursor.auto_indent = (g_config.editor_flags & kIndentAutomatically) != 0;
    ++doc->view_count;
    EditWindow** tail = &g_views;
    while (*tail) tail = &(*tail)->next;
    *tail = v;
    MakeCurrent(v);
    return v;
}

void FreeView(EditWindow* v) {
    for (EditWindow** p = &g_views; *p; p = &(*p)->next)
        if (*p == v) {
            *p = v->next;
            break;
        }
    if (g_current == v) g_current = nullptr;
    TextDocument* doc = v->cursor.doc;
    DetachCursor(&v->cursor);
    if (--doc->view_count <= 0) {
        JournalForgetDocument(doc);
        DeleteDocumentBookmarks(doc);
        FreeDocument(doc);
    }
    v->~EditWindow();
    ReleaseBlock(v);
}

// Closing a view: a modified document's last view asks whether to save it.
bool MayClose(EditWindow* v) {
    if (g_app->debugging) {
        MessageBeep(MB_OK);
        return false;
    }
    TextDocument* doc = v->cursor.doc;
    if (doc->view_count > 1 || !IsModified(doc) || (doc->flags & kDocInternal)) return true;
    switch (AskYesNoCancel(FormatText(MessageText(1209), doc->name))) {
        case AskAnswer::Yes: return SaveDocument(doc);
        case AskAnswer::No: return true;
        default: return false;
    }
}

LRESULT CALLBACK EditorProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    EditWindow* v = ViewOfWindow(window);
    switch (message) {
        case WM_CREATE: {
            auto* create = reinterpret_cast<CREATESTRUCTA*>(lparam);
            auto* mdi = static_cast<MDICREATESTRUCTA*>(create->lpCreateParams);
            if (!CreateView(window, reinterpret_cast<TextDocument*>(mdi->lParam))) return -1;
            return 0;
        }
        case WM_DESTROY:
            if (v) FreeView(v);
            break;
        case WM_CLOSE:
        case WM_QUERYENDSESSION:
            if (v && !MayClose(v)) return 0;
            if (message == WM_QUERYENDSESSION) return 1;
            SendMessageA(g_app->mdi_client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(window), 0);
            return 0;
        case WM_SIZE:
            if (v && wparam != SIZE_MINIMIZED) {
                v->repaint_flags |= kRepaintAll;
                RefreshView(v);
            }
            break;
        case WM_SETFOCUS:
            if (v) {
                MakeCurrent(v);
                CreateViewCaret(v);
                UpdateStatus(v);
            }
            return 0;
        case WM_KILLFOCUS:
            DestroyCaret();
            if (v) EndDrag(v);
            return 0;
        case WM_MDIACTIVATE:
            if (v && reinterpret_cast<HWND>(lparam) == window) {
                MakeCurrent(v);
                UpdateScrollBar(v);
                // A child created maximised composes the frame title while the previous child
                // is still the active one; name this one now that it is.
                if (IsZoomed(window)) RenameFrameAfter(window);
            }
            break;
        case WM_PAINT:
            if (v) {
                Paint(v);
                return 0;
            }
            break;
        case WM_ERASEBKGND:
            return 1;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (v && KeyDown(v, wparam, lparam)) return 0;
            break;
        case WM_KEYUP:
            KeyUp(wparam);
            break;
        case WM_CHAR:
            if (v) {
                bool ctrl = GetKeyState(VK_CONTROL) < 0;
                int repeat = LOWORD(lparam) ? LOWORD(lparam) : 1;
                if (!TypeCharacter(&v->cursor, static_cast<unsigned char>(wparam), repeat, ctrl) && wparam >= 32)
                    MessageBeep(MB_OK);
                v->repaint_flags |= kRepaintCaretRow;
                RefreshView(v);
            }
            return 0;
        case WM_VSCROLL:
            if (v) {
                int rows = VisibleRows(v);
                switch (LOWORD(wparam)) {
                    case SB_LINEUP: ScrollOneLine(v, -1); break;
                    case SB_LINEDOWN: ScrollOneLine(v, 1); break;
                    case SB_PAGEUP: ScrollLines(&v->cursor, -rows); break;
                    case SB_PAGEDOWN: ScrollLines(&v->cursor, rows); break;
                    case SB_THUMBTRACK:
                    case SB_THUMBPOSITION: {
                        int position = LineOfThumb(v->cursor.doc->line_count, HIWORD(wparam));
                        ScrollLines(&v->cursor, position - v->cursor.top.number);
                        break;
                    }
                    default: break;
                }
                InvalidateRect(window, nullptr, FALSE);
                PlaceCaret(v);
            }
            return 0;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
            if (v) {
                SetFocus(window);
                MouseDown(v, static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam)),
                          message == WM_LBUTTONDOWN && (wparam & MK_SHIFT));
            }
            return 0;
        case WM_MOUSEMOVE:
            if (v) MouseDrag(v, static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam)));
            return 0;
        case WM_TIMER:
            if (v && wparam == kStatusTimer) {
                KillTimer(window, kStatusTimer);
                UpdateStatus(v);
            } else if (v && wparam == kDragTimer) {
                POINT p;
                GetCursorPos(&p);
                ScreenToClient(window, &p);
                MouseDrag(v, p.x, p.y);
            }
            return 0;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
            if (v) {
                EndDrag(v);
                if (message == WM_RBUTTONUP) {
                    POINT p{static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
                    ClientToScreen(window, &p);
                    ShowEditorContextMenu(v, p);
                    v->repaint_flags |= kRepaintAll;
                }
                RefreshView(v);
            }
            return 0;
        case WM_LBUTTONDBLCLK:
            if (v && SelectWord(&v->cursor)) {
                v->repaint_flags |= kRepaintAll;
                RefreshView(v);
            }
            return 0;
        default:
            break;
    }
    return DefMDIChildProcA(window, message, wparam, lparam);
}

}  // namespace

bool RegisterEditorClass(HINSTANCE instance) {
    WNDCLASSA wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = EditorProc;
    wc.cbWndExtra = kWindowExtraBytes;
    wc.hInstance = instance;
    wc.hIcon = g_app->editor_icon;
    wc.hCursor = LoadCursorA(nullptr, IDC_IBEAM);
    wc.lpszClassName = kEditorClass;
    return RegisterClassA(&wc) != 0;
}

EditWindow* CurrentView() { return g_current; }
EditWindow* FirstView() { return g_views; }

EditWindow* ViewOfWindow(HWND window) {
    for (EditWindow* v = g_views; v; v = v->next)
        if (v->window == window) return v;
    return nullptr;
}

bool OpenEditorWindow(const char* name, bool maximize) {
    char full[MAX_PATH];
    if (!GetFullPathNameA(name, sizeof full, full, nullptr)) std::strncpy(full, name, sizeof full - 1);
    for (EditWindow* v = g_views; v; v = v->next)
        if (lstrcmpiA(v->cursor.doc->name, full) == 0) {
            SendMessageA(g_app->mdi_client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(v->window), 0);
            return true;
        }
    TextDocument* doc = FindDocument(full, true);
    if (!doc) return false;
    if (doc->view_count == 0) {
        JournalForgetDocument(doc);
        LoadDocument(doc, full);
        if (!doc->language) ChooseDocumentLanguage(doc);
    }
    MDICREATESTRUCTA create{};
    create.szClass = kEditorClass;
    create.szTitle = doc->name;
    create.hOwner = g_app->instance;
    create.x = create.y = create.cx = create.cy = static_cast<int>(CW_USEDEFAULT);
    create.style = maximize ? WS_MAXIMIZE : 0;
    create.lParam = reinterpret_cast<LPARAM>(doc);
    HWND window = reinterpret_cast<HWND>(SendMessageA(g_app->mdi_client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create)));
    if (!window) {
        if (doc->view_count == 0) FreeDocument(doc);
        ReportSystemFailure("CreateMDIWindow", static_cast<int>(GetLastError()));
        return false;
    }
    if (EditWindow* v = ViewOfWindow(window)) RefreshView(v);
    return true;
}

bool ForwardKeyToCurrentView(WPARAM key, LPARAM lparam) { return g_current && KeyDown(g_current, key, lparam); }

bool CloseAllViews() {
    while (EditWindow* v = g_views) {
        if (!MayClose(v)) return false;
        SendMessageA(g_app->mdi_client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(v->window), 0);
        if (g_views == v) return false;  // the window would not go
    }
    return true;
}

void RefreshView(EditWindow* v) {
    if (!v) return;
    int rows = VisibleRows(v);
    int old_top = v->cursor.top.number, old_offset = v->horizontal_offset;
    KeepCaretVisible(&v->cursor, rows);
    KeepCaretInColumns(v);
    if (old_top != v->cursor.top.number || old_offset != v->horizontal_offset) v->repaint_flags |= kRepaintAll;
    if (v->repaint_flags & kRepaintAll) {
        InvalidateRect(v->window, nullptr, FALSE);
    } else if (v->repaint_flags & kRepaintCaretRow) {
        int height = ViewMetrics().line_height, row = v->cursor.caret.number - v->cursor.top.number;
        RECT r;
        GetClientRect(v->window, &r);
        r.top = row * height;
        r.bottom = r.top + height;
        InvalidateRect(v->window, &r, FALSE);
    }
    PlaceCaret(v);
    UpdateScrollBar(v);
    UpdateTitle(v);
    // Finding the caret's function may rescan a large document after an edit.
    SetTimer(v->window, kStatusTimer, kStatusDelay, nullptr);
}

void RepaintDocument(TextDocument* doc) {
    // Other views of the document draw the change in full; the typing view only its row.
    for (EditWindow* v = g_views; v; v = v->next)
        if (v->cursor.doc == doc) {
            if (v != g_current) {
                v->repaint_flags |= kRepaintAll;
                InvalidateRect(v->window, nullptr, FALSE);
            }
            UpdateTitle(v);
        }
}

void ResetDocumentViews(TextDocument* doc) {
    for (EditWindow* v = g_views; v; v = v->next)
        if (v->cursor.doc == doc) {
            v->cursor.caret = v->cursor.top = StartOf(doc);
            DropSelection(&v->cursor);
            v->horizontal_offset = 0;
            v->repaint_flags |= kRepaintAll;
            RefreshView(v);
        }
}

void PublishClipboard() {
    const std::string& text = ClipboardText();
    if (text.empty() || !OpenClipboard(g_app->frame)) return;
    constexpr size_t kLimit = 65000;
    std::string out;
    for (char c : text) {
        size_t need = c == '\n' ? 2 : 1;
        if (out.size() + need > kLimit) break;
        if (c == '\n') out += '\r';
        out += c;
    }
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, out.size() + 2);
    if (block) {
        char* p = static_cast<char*>(GlobalLock(block));
        std::memcpy(p, out.data(), out.size());
        p[out.size()] = 0;
        GlobalUnlock(block);
        EmptyClipboard();
        if (!SetClipboardData(CF_TEXT, block)) GlobalFree(block);
    }
    CloseClipboard();
}

void TakeSystemClipboard() {
    if (!IsClipboardFormatAvailable(CF_TEXT) || !OpenClipboard(g_app->frame)) return;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const char* p = static_cast<const char*>(GlobalLock(data))) {
            std::string text;
            for (; *p; ++p)
                if (*p != '\r') text += *p;
            if (!text.empty()) SetClipboardText(std::move(text));
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
}
