#include "cms/log_review_w32.h"

#include <windows.h>

#include "cms/action_dialog_w32.h"
#include "cms/log_review.h"
#include "cms/text_file.h"
#include "shell/dialog_template_w32.h"
#include "shell/format_buffer.h"
#include "shell/report.h"

namespace {

constexpr WORD kOperation = 101, kUser = 102, kModule = 103, kMonth = 104, kSelect = 105, kHeadings = 106,
               kEntries = 107, kCounter = 108;

std::string Field(HWND dialog, WORD id) {
    char text[128] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    std::string s = text;
    return s.empty() ? "*" : s;
}

void Select(HWND dialog, void* data) {
    const std::string& path = *static_cast<const std::string*>(data);
    LogFilter filter;
    filter.operation = Field(dialog, kOperation);
    filter.user = Field(dialog, kUser);
    filter.module = Field(dialog, kModule);
    LRESULT month = SendDlgItemMessageA(dialog, kMonth, CB_GETCURSEL, 0, 0);
    filter.month = month == CB_ERR ? 0 : static_cast<int>(month);  // item 0 is "*"
    std::string text;
    ReadTextFile(path, text);  // a log that went away reads as empty
    LogReview review = ReviewLog(text, filter);
    HWND list = GetDlgItem(dialog, kEntries);
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (const std::string& line : review.lines) SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    SetDlgItemTextA(dialog, kCounter, LogReviewCounter(review).c_str());
}

void Open(HWND dialog, void* data) {
    HGDIOBJ fixed = GetStockObject(ANSI_FIXED_FONT);
    for (WORD id : {kHeadings, kEntries}) SendDlgItemMessageA(dialog, id, WM_SETFONT, reinterpret_cast<WPARAM>(fixed), 0);
    std::string headings;
    for (const char* h : kLogReviewHeadings) headings += h;
    SetDlgItemTextA(dialog, kHeadings, headings.c_str());
    for (WORD id : {kOperation, kUser, kModule}) SetDlgItemTextA(dialog, id, "*");
    SendDlgItemMessageA(dialog, kMonth, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("*"));
    for (int m = 1; m <= 12; ++m) SendDlgItemMessageA(dialog, kMonth, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(MonthName(m)));
    SendDlgItemMessageA(dialog, kMonth, CB_SETCURSEL, 0, 0);
    Select(dialog, data);
}

}  // namespace

void ShowLogReview(const std::string& log_path) {
    if (!FileExists(log_path)) {
        ShowError(FormatText("File %s not found!", log_path.c_str()));
        return;
    }
    DialogTemplate t("CMS: Operations", 340, 214);
    t.Label(7, 9, 36, 10, "Operation:");
    t.Edit(44, 7, 40, 12, kOperation);
    t.Label(90, 9, 20, 10, "User:");
    t.Edit(111, 7, 50, 12, kUser);
    t.Label(167, 9, 30, 10, "Module:");
    t.Edit(198, 7, 50, 12, kModule);
    t.Combo(254, 7, 50, 120, kMonth, CBS_DROPDOWNLIST);
    t.Button(308, 6, 25, 14, kSelect, "&Select");
    t.Label(7, 26, 326, 10, "", kHeadings);
    t.List(7, 38, 326, 144, kEntries, LBS_NOINTEGRALHEIGHT | WS_HSCROLL);
    t.Label(7, 192, 220, 10, "", kCounter);
    t.Button(283, 190, 50, 14, IDCANCEL, "Close", true);
    std::string path = log_path;
    ActionDialog dialog{kSelect, Open, Select, &path};
    RunActionDialog(t, dialog);
}
