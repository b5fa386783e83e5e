// The dialog "Morla code analysis": one function's measures.
#include <windows.h>

#include "analysis/analysis_commands_w32.h"
#include "analysis/metrics_report.h"
#include "shell/dialog_template_w32.h"

namespace {

constexpr WORD kName = 200;
constexpr WORD kFirstValue = 210;
constexpr WORD kIdentifiers = 240;
constexpr WORD kNextFunction = 250;
constexpr short kRow = 11, kTop = 22;

struct MetricsData {
    const std::vector<FunctionMetrics>* all;
    int current;
};

void Fill(HWND dialog, const FunctionMetrics& m) {
    SetDlgItemTextA(dialog, kName, m.name.c_str());
    std::vector<MetricsField> fields = MetricsFields(m);
    for (size_t i = 0; i < fields.size(); ++i)
        SetDlgItemTextA(dialog, static_cast<int>(kFirstValue + i), fields[i].value.c_str());
    HWND list = GetDlgItem(dialog, kIdentifiers);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (const std::string& name : m.identifiers) SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
}

INT_PTR CALLBACK MetricsProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* data = DialogRecord<MetricsData>(dialog, message, lparam);
    switch (message) {
        case WM_INITDIALOG:
            Fill(dialog, (*data->all)[data->current]);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wparam) == kNextFunction) {
                data->current = (data->current + 1) % static_cast<int>(data->all->size());
                Fill(dialog, (*data->all)[data->current]);
                return TRUE;
            }
            if (LOWORD(wparam) == IDCANCEL || LOWORD(wparam) == IDOK) {
                EndDialog(dialog, 0);
                return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace

void ShowMetricsDialog(const std::vector<FunctionMetrics>& all, int current) {
    if (current < 0 || current >= static_cast<int>(all.size())) return;
    const std::vector<MetricsField> labels = MetricsFields(all[current]);
    const short count = static_cast<short>(labels.size());
    const short bottom = static_cast<short>(kTop + count * kRow + 4);
    DialogTemplate t("Morla code analysis", 270, static_cast<short>(bottom + 22));
    t.Label(7, 7, 256, 10, "", kName);
    for (short i = 0; i < count; ++i) {
        t.Label(7, static_cast<short>(kTop + i * kRow), 70, 10, labels[i].label);
        t.Label(80, static_cast<short>(kTop + i * kRow), 60, 10, "", static_cast<WORD>(kFirstValue + i));
    }
    t.Label(150, kTop, 113, 10, "Identifiers");
    t.List(150, static_cast<short>(kTop + 11), 113, static_cast<short>(bottom - kTop - 11), kIdentifiers,
           LBS_NOINTEGRALHEIGHT);
    t.Button(7, bottom, 60, 14, kNextFunction, "Next function");
    t.Button(203, bottom, 60, 14, IDCANCEL, "&Close", true);
    MetricsData data{&all, current};
    t.Run(MetricsProc, reinterpret_cast<LPARAM>(&data));
}
