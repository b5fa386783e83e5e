// What an editor window draws, read back from its pixels: marked ranges in their
// colours and the brace-level margin. The window lives in a stand-in MDI frame of
// this process, since nothing in the program makes marked ranges yet.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "editor/brace_levels.h"
#include "editor/edit_window_w32.h"
#include "editor/marked_ranges.h"
#include "shell/app_state_w32.h"
#include "tests/support/morla_process_w32.h"

namespace {

LRESULT CALLBACK FrameProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    return DefFrameProcA(w, g_app ? g_app->mdi_client : nullptr, m, wp, lp);
}

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

struct ViewPaintTest : ::testing::Test {
    std::string path;
    EditWindow* view = nullptr;
    int line_height = 0, char_width = 0;

    void SetUp() override {
        if (!g_app) g_app = new AppState{};
        if (!g_app->mdi_client) {
            g_app->instance = GetModuleHandleA(nullptr);
            WNDCLASSA wc{};
            wc.lpfnWndProc = FrameProc;
            wc.hInstance = g_app->instance;
            wc.lpszClassName = "PaintTestFrame";
            RegisterClassA(&wc);
            ASSERT_TRUE(RegisterEditorClass(g_app->instance));
            g_app->frame = CreateWindowExA(0, "PaintTestFrame", "frame", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0,
                                           640, 480, nullptr, nullptr, g_app->instance, nullptr);
            CLIENTCREATESTRUCT ccs{};
            ccs.idFirstChild = kFirstChildId;
            g_app->mdi_client = CreateWindowExA(0, "mdiclient", nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                                                620, 440, g_app->frame, nullptr, g_app->instance, &ccs);
            ShowWindow(g_app->frame, SW_SHOW);
        }
        char dir[MAX_PATH];
        GetTempPathA(sizeof dir, dir);
        path = std::string(dir) + "morla_paint.c";
        FILE* f = std::fopen(path.c_str(), "wb");
        std::fputs("int f(void)\r\n{\r\n    return 12345;\r\n}\r\n", f);
        std::fclose(f);
        ASSERT_TRUE(OpenEditorWindow(path.c_str(), true));
        view = CurrentView();
        ASSERT_NE(view, nullptr);
        HDC dc = GetDC(view->window);
        HGDIOBJ old = SelectObject(dc, GetStockObject(ANSI_FIXED_FONT));
        TEXTMETRICA tm{};
        GetTextMetricsA(dc, &tm);
        SelectObject(dc, old);
        ReleaseDC(view->window, dc);
        line_height = tm.tmHeight + tm.tmExternalLeading;
        char_width = tm.tmAveCharWidth;
    }
    void TearDown() override {
        if (BraceLevelsShown()) ToggleBraceLevels();
        if (view) SendMessageA(view->window, WM_CLOSE, 0, 0);
        Pump();
    }

    void Redraw() {
        RedrawWindow(view->window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        Pump();
    }
    int BlackPixelsAtX(int x) {
        HDC dc = GetDC(view->window);
        int n = 0;
        for (int y = 0; y < 4 * line_height; ++y) n += GetPixel(dc, x, y) == RGB(0, 0, 0);
        ReleaseDC(view->window, dc);
        return n;
    }
    // Whether any pixel of the cell (row, column) has the colour.
    bool CellHas(int row, int column, COLORREF colour, int margin = 0) {
        HDC dc = GetDC(view->window);
        bool found = false;
        for (int y = row * line_height; y < (row + 1) * line_height && !found; ++y)
            for (int x = margin + column * char_width; x < margin + (column + 1) * char_width && !found; ++x)
                found = GetPixel(dc, x, y) == colour;
        ReleaseDC(view->window, dc);
        return found;
    }
};

constexpr COLORREF kMarkedBackground = RGB(255, 255, 160);
constexpr COLORREF kMarkedText = RGB(0, 0, 160);

TEST_F(ViewPaintTest, MarkedRangesAreDrawnInTheirColoursAndInvalidOnesDropped) {
    TextDocument* doc = view->cursor.doc;
    ASSERT_TRUE(AddMarkedRange(doc, 3, 11, 3, 14));  // "123" of "12345"
    ASSERT_TRUE(AddMarkedRange(doc, 9, 0, 9, 1));    // past the last line
    Redraw();
    EXPECT_EQ(MarkedRangeCount(doc), 1);
    for (int column : {11, 12, 13}) {
        EXPECT_TRUE(CellHas(2, column, kMarkedBackground)) << column;
        EXPECT_TRUE(CellHas(2, column, kMarkedText)) << column;
    }
    for (int column : {10, 14}) EXPECT_FALSE(CellHas(2, column, kMarkedBackground)) << column;
    EXPECT_FALSE(CellHas(1, 0, kMarkedBackground));
    ASSERT_TRUE(AddMarkedRange(doc, 1, 4, 2, 1));  // across a line end
    Redraw();
    EXPECT_TRUE(CellHas(0, 8, kMarkedBackground));
    EXPECT_TRUE(CellHas(0, 11, kMarkedBackground));  // the padding blank after the text
    EXPECT_TRUE(CellHas(1, 0, kMarkedBackground));
    EXPECT_FALSE(CellHas(0, 3, kMarkedBackground));
    EXPECT_TRUE(SaveScreenBitmap(EnvPath("MORLA_SCREENSHOT_DIR") + "\\marked_ranges.bmp"));
    ClearMarkedRanges(doc);
}

TEST_F(ViewPaintTest, BraceLevelMarginShiftsTheText) {
    Redraw();
    EXPECT_TRUE(CellHas(2, 4, RGB(192, 0, 0)));  // "return" in the keyword colour
    EXPECT_LT(BlackPixelsAtX(18), 4 * line_height);
    ToggleBraceLevels();
    view->repaint_flags |= kRepaintAll;
    RefreshView(view);
    Redraw();
    EXPECT_EQ(BlackPixelsAtX(18), 4 * line_height);  // the vertical line
    EXPECT_TRUE(CellHas(2, 0, RGB(0, 0, 0)));   // the level "1" of the body line
    EXPECT_TRUE(CellHas(2, 4, RGB(192, 0, 0), 20));  // "return" in the keyword colour, after the margin
    EXPECT_TRUE(SaveScreenBitmap(EnvPath("MORLA_SCREENSHOT_DIR") + "\\brace_margin.bmp"));
}

}  // namespace
