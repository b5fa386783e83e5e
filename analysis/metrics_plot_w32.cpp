// The plot of the measures of all functions of a file ("clGrClass"): a row per
// function with a bar per measure, each scaled to the largest of its column. A click
// on a row shows that function's measures.
#include <windows.h>

#include <string>

#include "analysis/analysis_commands_w32.h"
#include "analysis/analysis_views_w32.h"
#include "analysis/document_scan.h"
#include "analysis/generated_file.h"
#include "analysis/message_ids.h"
#include "analysis/metrics_report.h"
#include "editor/text_document.h"
#include "shell/app_state_w32.h"
#include "shell/format_buffer.h"
#include "shell/messages.h"
#include "shell/report.h"

namespace {

constexpr char kPlotClass[] = "clGrClass";
constexpr int kRowHeight = 20, kNameWidth = 140, kColumnWidth = 120, kMargin = 6;
const COLORREF kBarColours[] = {RGB(0, 0, 128), RGB(192, 0, 0), RGB(0, 128, 0), RGB(128, 0, 128), RGB(0, 128, 128)};

struct Plot {
    std::vector<FunctionMetrics> all;
    std::vector<double> largest;  // per measure
    int first_row = 0;  // scrolled rows
};

Plot* PlotOf(HWND w) { return reinterpret_cast<Plot*>(GetWindowLongPtrA(w, GWLP_USERDATA)); }

int VisibleRows(HWND w) {
    RECT r;
    GetClientRect(w, &r);
    int rows = (r.bottom - kRowHeight) / kRowHeight;
    return rows < 1 ? 1 : rows;
}

void UpdateScrollBar(HWND w, const Plot& p) {
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMax = static_cast<int>(p.all.size()) - 1;
    si.nPage = static_cast<UINT>(VisibleRows(w));
    si.nPos = p.first_row;
    SetScrollInfo(w, SB_VERT, &si, TRUE);
}

void Paint(HWND w, const Plot& p) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(w, &ps);
    HGDIOBJ old_font = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    for (int c = 0; c < kPlotMeasureCount; ++c)
        TextOutA(dc, kNameWidth + c * kColumnWidth, 3, kPlotMeasures[c].label,
                 static_cast<int>(strlen(kPlotMeasures[c].label)));
    RECT client;
    GetClientRect(w, &client);
    MoveToEx(dc, 0, kRowHeight - 1, nullptr);  // under the column titles
    LineTo(dc, client.right, kRowHeight - 1);
    for (size_t i = static_cast<size_t>(p.first_row); i < p.all.size(); ++i) {
        const int y = kRowHeight * (1 + static_cast<int>(i) - p.first_row);
        if (y > client.bottom) break;
        const FunctionMetrics& m = p.all[i];
        TextOutA(dc, kMargin, y + 3, m.name.c_str(), static_cast<int>(m.name.size()));
        for (int c = 0; c < kPlotMeasureCount; ++c) {
            const double v = kPlotMeasures[c].value(m);
            const int x = kNameWidth + c * kColumnWidth;
            RECT bar{x, y + 3, x + BarLength(v, p.largest[c], kColumnWidth - 50), y + kRowHeight - 3};
            HBRUSH brush = CreateSolidBrush(kBarColours[c % 5]);
            FillRect(dc, &bar, brush);
            DeleteObject(brush);
            const char* value = FormatText("%.4g", v);
            TextOutA(dc, bar.right + 3, y + 3, value, static_cast<int>(strlen(value)));
        }
    }
    SelectObject(dc, old_font);
    EndPaint(w, &ps);
}

void Scroll(HWND w, Plot* p, int request) {
    const int page = VisibleRows(w), last = static_cast<int>(p->all.size()) - page;
    int row = p->first_row;
    switch (LOWORD(request)) {
        case SB_LINEUP: --row; break;
        case SB_LINEDOWN: ++row; break;
        case SB_PAGEUP: row -= page; break;
        case SB_PAGEDOWN: row += page; break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: row = HIWORD(request); break;
        default: return;
    }
    p->first_row = row > last ? (last > 0 ? last : 0) : (row < 0 ? 0 : row);
    UpdateScrollBar(w, *p);
    InvalidateRect(w, nullptr, TRUE);
}

LRESULT CALLBACK PlotProc(HWND w, UINT message, WPARAM wparam, LPARAM lparam) {
    Plot* p = PlotOf(w);
    switch (message) {
        case WM_NCCREATE:
            SetWindowLongPtrA(w, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lparam)->lpCreateParams));
            break;
        case WM_SIZE:
            if (p) UpdateScrollBar(w, *p);
            return 0;
        case WM_PAINT:
            if (p) {
                Paint(w, *p);
                return 0;
            }
            break;
        case WM_VSCROLL:
            if (p) Scroll(w, p, static_cast<int>(wparam));
            return 0;
        case WM_LBUTTONDOWN: {
            int row = p ? static_cast<short>(HIWORD(lparam)) / kRowHeight - 1 + p->first_row : -1;
            if (p && row >= p->first_row && row < static_cast<int>(p->all.size())) ShowMetricsDialog(p->all, row);
            return 0;
        }
        case WM_KEYDOWN:
            if (wparam == VK_ESCAPE) DestroyWindow(w);
            return 0;
        case WM_NCDESTROY:
            delete p;
            SetWindowLongPtrA(w, GWLP_USERDATA, 0);
            break;
        default:
            break;
    }
    return DefWindowProcA(w, message, wparam, lparam);
}

}  // namespace

bool RegisterMetricsPlotClass() {
    WNDCLASSA wc{};
    wc.style = CS_DBLCLKS | CS_OWNDC;
    wc.lpfnWndProc = PlotProc;
    wc.cbWndExtra = kWindowExtraBytes;
    wc.hInstance = g_app->instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_CROSS);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = kPlotClass;
    return RegisterClassA(&wc) != 0;
}

void FileMetricsCommand() {
    TextDocument* doc = CurrentDocument();
    if (!doc || !RequireFunctions(doc)) return;
    auto* plot = new Plot;
    plot->all = DocumentMetrics(doc);
    if (plot->all.empty()) {
        delete plot;
        ShowStatus(MessageText(kMsgNoFunctions));
        return;
    }
    for (int c = 0; c < kPlotMeasureCount; ++c) plot->largest.push_back(LargestMeasure(plot->all, c));
    RECT frame;
    GetWindowRect(g_app->frame, &frame);
    const int rows = static_cast<int>(plot->all.size()) + 1;
    int height = rows * kRowHeight + GetSystemMetrics(SM_CYCAPTION) + 2 * GetSystemMetrics(SM_CYFRAME) + 4;
    if (height > (frame.bottom - frame.top) * 3 / 4) height = (frame.bottom - frame.top) * 3 / 4;
    const int width = kNameWidth + kPlotMeasureCount * kColumnWidth + GetSystemMetrics(SM_CXVSCROLL) + 16;
    std::string title = FormatText(MessageText(kMsgMetricsOf), LastComponent(doc->name).c_str());
    CreateWindowExA(WS_EX_TOOLWINDOW, kPlotClass, title.c_str(), WS_OVERLAPPEDWINDOW | WS_VSCROLL | WS_VISIBLE,
                    frame.left + 40, frame.top + 60, width, height, g_app->frame, nullptr, g_app->instance, plot);
}
