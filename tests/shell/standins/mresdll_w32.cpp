// Stand-in for the suite's resource editor library: opens an MDI child for an existing
// file and records the last command it received in its title, so tests can see routing.
#include <windows.h>

#include <cstdio>

namespace {

HWND g_window;
HINSTANCE g_module;
const char kClass[] = "MresStandIn";

LRESULT CALLBACK EditorProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_COMMAND) {
        char title[64];
        snprintf(title, sizeof title, "Resource editor: command %u", LOWORD(wp));
        SetWindowTextA(w, title);
        return 0;
    }
    if (m == WM_DESTROY) g_window = nullptr;
    return DefMDIChildProcA(w, m, wp, lp);
}

}  // namespace

extern "C" {

int InitMorlares(const char* path, int mode, HWND mdi_client) {
    if (mode != 1 || GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES) return 0;
    WNDCLASSA wc{};
    wc.lpfnWndProc = EditorProc;
    wc.hInstance = g_module;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = kClass;
    RegisterClassA(&wc);
    MDICREATESTRUCTA mcs{};
    mcs.szClass = kClass;
    mcs.szTitle = "Resource editor";
    mcs.hOwner = g_module;
    mcs.x = mcs.y = mcs.cx = mcs.cy = CW_USEDEFAULT;
    g_window = reinterpret_cast<HWND>(SendMessageA(mdi_client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
    return g_window != nullptr;
}

HWND GetMorlaresHwnd() { return g_window; }

void InitMenu(HMENU popup) {
    for (int i = 0, n = GetMenuItemCount(popup); i < n; ++i) EnableMenuItem(popup, i, MF_BYPOSITION | MF_ENABLED);
}

INT_PTR __stdcall FilesConfigDlgProc(HWND, UINT m, WPARAM, LPARAM) { return m == WM_INITDIALOG; }

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, void*) {
    if (reason == DLL_PROCESS_ATTACH) g_module = module;
    return TRUE;
}

}  // extern "C"
