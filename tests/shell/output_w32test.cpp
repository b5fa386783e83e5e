// The output window under Wine: a top-level stand-in for the frame, and the messages
// other Parts and other processes send.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>

#include "shell/app_state_w32.h"
#include "shell/message_box_w32.h"
#include "shell/output_window_w32.h"
#include "shell/report.h"
#include "shell/shared_area_w32.h"

namespace {

int g_layouts;
HWND g_callback_list;

LRESULT CALLBACK ParentProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == kMsgLayout) ++g_layouts;
    return DefWindowProcA(w, m, wp, lp);
}

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

int ListCount(HWND output) {
    return static_cast<int>(SendMessageA(GetDlgItem(output, kOutputListId), LB_GETCOUNT, 0, 0));
}

struct OutputWindowTest : ::testing::Test {
    HWND parent = nullptr, output = nullptr;
    void SetUp() override {
        if (!g_app) g_app = new AppState{};
        g_app->instance = GetModuleHandleA(nullptr);
        if (!g_app->shared_view) ASSERT_TRUE(CreateSharedArea(*g_app));
        WNDCLASSA wc{};
        wc.lpfnWndProc = ParentProc;
        wc.hInstance = g_app->instance;
        wc.lpszClassName = "OutputTestParent";
        RegisterClassA(&wc);
        parent = CreateWindowExA(0, "OutputTestParent", "parent", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 800, 600,
                                 nullptr, nullptr, g_app->instance, nullptr);
        ASSERT_NE(parent, nullptr);
        ShowWindow(parent, SW_SHOWNOACTIVATE);
        g_app->output_height = 0;
        g_layouts = 0;
        output = CreateOutputWindow(parent, g_app->instance, 0, 500, 780, 40);
        ASSERT_NE(output, nullptr);
        InstallMessageBoxes();
    }
    void TearDown() override {
        SetReportSink(nullptr);
        if (parent) DestroyWindow(parent);
        EXPECT_EQ(g_app->output, nullptr);
    }
};

TEST_F(OutputWindowTest, CreationMakesTheStripAndItsControls) {
    char name[64] = "";
    GetClassNameA(output, name, sizeof name);
    EXPECT_STREQ(name, "MorlaOutput");
    EXPECT_EQ(g_app->output, output);
    HWND list = GetDlgItem(output, kOutputListId);
    ASSERT_NE(list, nullptr);
    EXPECT_FALSE(IsWindowVisible(list));
    EXPECT_NE(GetDlgItem(output, kOutputExpandId), nullptr);
    EXPECT_NE(GetDlgItem(output, 1156), nullptr);
    EXPECT_NE(GetDlgItem(output, 1150), nullptr);
    EXPECT_GT(g_layouts, 0);
    EXPECT_EQ(SendMessageA(output, kOutListHolder, 0, 0), reinterpret_cast<LRESULT>(output));
}

TEST_F(OutputWindowTest, ExpandAndCollapseKeepTheExpandedHeight) {
    int strip = g_app->output_height;
    RECT client;
    GetClientRect(parent, &client);
    SendMessageA(output, kOutExpand, 0, 0);
    EXPECT_EQ(g_app->output_height, client.bottom / 4);
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(output, kOutputListId)));
    SendMessageA(output, WM_COMMAND, kOutputExpandId, 0);
    EXPECT_EQ(g_app->output_height, strip);
    SendMessageA(output, WM_COMMAND, kOutputExpandId, 0);
    EXPECT_EQ(g_app->output_height, client.bottom / 4);
    EXPECT_EQ(OutputExpandedHeight(), client.bottom / 4);
}

TEST_F(OutputWindowTest, StatusMessagesAndTheirTimer) {
    SendMessageA(output, kOutPosition, 0, reinterpret_cast<LPARAM>("Line 3 Col 1"));
    EXPECT_STREQ(OutputStatusText(), "Line 3 Col 1");
    ShowStatus("Saved", StatusColour::Red);  // through the message box sink
    EXPECT_STREQ(OutputStatusText(), "Saved");
    SendMessageA(output, kOutPosition, 0, reinterpret_cast<LPARAM>("Line 4 Col 1"));
    EXPECT_STREQ(OutputStatusText(), "Saved");
    SendMessageA(output, WM_TIMER, 1, 0);
    EXPECT_STREQ(OutputStatusText(), "Line 4 Col 1");

    SendMessageA(output, kOutSetPrefix, 0, reinterpret_cast<LPARAM>("grep"));
    SendMessageA(output, kMsgOutputNavy, 0, reinterpret_cast<LPARAM>("4 hits"));
    EXPECT_STREQ(OutputStatusText(), "grep : 4 hits");
    SendMessageA(output, kOutClearPrefix, 0, 0);
    EXPECT_STREQ(OutputStatusText(), "Line 4 Col 1");
    SendMessageA(output, kMsgOutputStatusMenu, 0, reinterpret_cast<LPARAM>("Opens a file."));
    EXPECT_STREQ(OutputStatusText(), "Opens a file.");
    SendMessageA(output, kMsgOutputStatusMenu, kMsgOutputStatusMenu, reinterpret_cast<LPARAM>(""));
    EXPECT_STREQ(OutputStatusText(), "Line 4 Col 1");
}

// Another thread stands in for another process: it is answered at once, and the text
// arrives in pieces of 150 characters.
TEST_F(OutputWindowTest, TextFromAnotherProcess) {
    auto send = [this](const std::string& text) {
        std::memset(g_app->shared_view, 0, kSharedViewSize);
        std::memcpy(g_app->shared_view, text.data(), text.size());
        bool done = false;
        std::thread sender([&] {
            SendMessageA(output, kMsgExternalText, 0, 0);
            done = true;
        });
        while (!done) {
            Pump();
            Sleep(1);
        }
        sender.join();
    };
    send(std::string(700, 'x'));
    EXPECT_EQ(ListCount(output), 5);
    send(std::string(200, 'y'));
    EXPECT_EQ(ListCount(output), 5);  // pending until its line end
    send("z\r\nc:\\rmc\\bin\\rmc.exe -c prog.c\n");
    ASSERT_EQ(ListCount(output), 8);
    char line[200] = "";
    SendMessageA(GetDlgItem(output, kOutputListId), LB_GETTEXT, 7, reinterpret_cast<LPARAM>(line));
    EXPECT_STREQ(line, "prog.c");
}

TEST_F(OutputWindowTest, CallbackPagesFloatingAndSaving) {
    OutputAddLine("a.c(1): error");
    SendMessageA(output, kOutSetCallback, 77, reinterpret_cast<LPARAM>(+[](HWND list) { g_callback_list = list; }));
    EXPECT_EQ(SendMessageA(output, kOutCallbackData, 0, 0), 77);
    HWND list = GetDlgItem(output, kOutputListId);
    SendMessageA(output, WM_COMMAND, MAKEWPARAM(kOutputListId, LBN_DBLCLK), reinterpret_cast<LPARAM>(list));
    EXPECT_EQ(g_callback_list, list);

    SendMessageA(output, WM_LBUTTONDBLCLK, 0, MAKELPARAM(10, 10));
    HWND holder = reinterpret_cast<HWND>(SendMessageA(output, kOutListHolder, 0, 0));
    EXPECT_NE(holder, output);
    EXPECT_EQ(GetParent(list), holder);
    SendMessageA(output, kOutDock, 1, 0);
    EXPECT_EQ(SendMessageA(output, kOutListHolder, 0, 0), reinterpret_cast<LRESULT>(output));
    EXPECT_EQ(GetParent(list), output);

    SendMessageA(output, kOutDebugPages, 0, 0);
    EXPECT_NE(GetDlgItem(output, 10008), nullptr);
    EXPECT_EQ(GetDlgItem(output, 1156), nullptr);
    SendMessageA(output, kOutStopped, 0, 0);
    SendMessageA(output, kOutNormalPages, 0, 0);
    EXPECT_NE(GetDlgItem(output, 1156), nullptr);

    SendMessageA(output, kOutSetCallback, 0, 0);  // empties the list and collapses
    EXPECT_EQ(ListCount(output), 0);
    SendMessageA(output, kOutSave, 0, 0);
    EXPECT_STREQ(OutputStatusText(), "Nothing to print");
}

}  // namespace
