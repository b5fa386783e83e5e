#include "tools/hit_list_w32.h"

#include <windows.h>

#include "shell/app_state_w32.h"
#include "shell/frame_w32.h"
#include "shell/output_window_w32.h"
#include "shell/shell_hooks_w32.h"
#include "tools/hit_list.h"

namespace {

constexpr UINT kSearchPage = 1150;

std::string g_summary;
std::vector<GrepHit> g_hits;
std::string g_directory;

// List line 0 is the summary, line n the n-th hit.
void OpenClickedHit(HWND list) {
    LRESULT clicked = SendMessageA(list, LB_GETCURSEL, 0, 0);
    if (clicked <= 0 || clicked > static_cast<LRESULT>(g_hits.size())) return;
    const GrepHit& hit = g_hits[clicked - 1];
    std::string file = HitFileToOpen(hit, g_directory);
    if (!OpenNamedFile(file.c_str(), false)) return;
    if (g_shell_hooks.go_to_line) g_shell_hooks.go_to_line(hit.line);
    HWND child = reinterpret_cast<HWND>(SendMessageA(g_app->mdi_client, WM_MDIGETACTIVE, 0, 0));
    if (child) SetFocus(child);
}

void FillSearchPage(HWND) {
    if (g_summary.empty()) return;
    for (const std::string& line : HitListLines(g_summary, g_hits, g_directory)) OutputAddLine(line.c_str());
    SendMessageA(g_app->output, kOutSetCallback, kSearchPage, reinterpret_cast<LPARAM>(&OpenClickedHit));
}

}  // namespace

void ShowHitList(const std::string& summary, std::vector<GrepHit> hits, const std::string& directory) {
    g_summary = summary;
    g_hits = std::move(hits);
    g_directory = directory;
    if (!g_app || !g_app->output) return;
    SendMessageA(g_app->output, kOutClearExpand, 0, 0);
    OutputShowPage(kSearchPage);
    FillSearchPage(nullptr);
}

void InstallHitListPage() { SetOutputPageFill(kSearchPage, FillSearchPage); }
