// Reopening the previous run's files at their window places, and recording them at exit.
#include <windows.h>

#include <cstring>

#include "config/configuration.h"
#include "shell/app_state_w32.h"
#include "shell/frame_w32.h"
#include "shell/shell_hooks_w32.h"

namespace {

constexpr int kUnopenedDialog = 14000;
constexpr int kUnopenedList = 101;

INT_PTR CALLBACK UnopenedProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_INITDIALOG) {
        for (const std::string& name : *reinterpret_cast<const std::vector<std::string>*>(lparam))
            SendDlgItemMessageA(dialog, kUnopenedList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
        return TRUE;
    }
    if (message == WM_COMMAND && (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL)) {
        EndDialog(dialog, 0);
        return TRUE;
    }
    return FALSE;
}

HWND ActiveChild() {
    return reinterpret_cast<HWND>(SendMessageA(g_app->mdi_client, WM_MDIGETACTIVE, 0, 0));
}

bool StartsWithNoCase(const std::string& s, const char* prefix) {
    size_t n = strlen(prefix);
    return n && s.size() >= n && _strnicmp(s.c_str(), prefix, n) == 0;
}

}  // namespace

void ReopenPreviousRun(const std::vector<OpenFileEntry>& entries, const char* exclusion_prefix) {
    std::vector<std::string> failed;
    std::vector<HWND> maximize;
    bool any_minimized = false;
    HWND last = nullptr;
    for (const OpenFileEntry& e : entries) {
        if (!_stricmp(e.path.c_str(), "untitled") || StartsWithNoCase(e.path, exclusion_prefix ? exclusion_prefix : "")) continue;
        if (GetFileAttributesA(e.path.c_str()) == INVALID_FILE_ATTRIBUTES || !OpenNamedFile(e.path.c_str(), false)) {
            failed.push_back(e.path);
            continue;
        }
        HWND child = ActiveChild();
        if (!child) continue;
        last = child;
        POINT corner = {e.left < 0 ? -e.left : e.left, e.top};
        POINT far_corner = {e.right < 0 ? -e.right : e.right, e.bottom};
        ScreenToClient(g_app->mdi_client, &corner);
        ScreenToClient(g_app->mdi_client, &far_corner);
        if (far_corner.x > corner.x && far_corner.y > corner.y)
            MoveWindow(child, corner.x, corner.y, far_corner.x - corner.x, far_corner.y - corner.y, TRUE);
        if (g_shell_hooks.go_to_line) g_shell_hooks.go_to_line(e.line);
        if (e.left < 0) {
            ShowWindow(child, SW_SHOWMINNOACTIVE);
            any_minimized = true;
        } else if (e.right < 0) {
            maximize.push_back(child);
        }
    }
    for (HWND child : maximize) SendMessageA(g_app->mdi_client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child), 0);
    if (any_minimized) SendMessageA(g_app->mdi_client, WM_MDIICONARRANGE, 0, 0);
    if (last) SendMessageA(g_app->mdi_client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(last), 0);
    if (!failed.empty())
        DialogBoxParamA(g_app->instance, MAKEINTRESOURCEA(kUnopenedDialog), g_app->frame, UnopenedProc,
                        reinterpret_cast<LPARAM>(&failed));
}

std::vector<OpenFileEntry> CollectOpenFiles() {
    std::vector<OpenFileEntry> entries;
    if (!g_shell_hooks.describe_window || !g_app->mdi_client) return entries;
    for (HWND child = GetWindow(g_app->mdi_client, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char path[MAX_PATH];
        int line = 1;
        if (GetWindow(child, GW_OWNER) || !g_shell_hooks.describe_window(child, path, sizeof path, &line)) continue;
        WINDOWPLACEMENT placement{};
        placement.length = sizeof placement;
        GetWindowPlacement(child, &placement);
        RECT r = placement.rcNormalPosition;  // client coordinates of the MDI client
        if (!IsIconic(child) && !IsZoomed(child)) {
            GetWindowRect(child, &r);
        } else {
            MapWindowPoints(g_app->mdi_client, nullptr, reinterpret_cast<POINT*>(&r), 2);
        }
        OpenFileEntry e;
        e.path = path;
        e.line = line;
        e.left = IsIconic(child) ? -r.left : r.left;
        e.top = r.top;
        e.right = IsZoomed(child) ? -r.right : r.right;
        e.bottom = r.bottom;
        entries.push_back(e);
    }
    return entries;
}
