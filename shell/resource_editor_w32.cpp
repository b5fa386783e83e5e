#include "shell/resource_editor_w32.h"

#include <cstring>

#include "shell/app_state_w32.h"
#include "shell/format_buffer.h"
#include "shell/messages.h"
#include "shell/report.h"

namespace {

using InitFn = int(__cdecl*)(const char* path, int mode, HWND mdi_client);
using HwndFn = HWND(__cdecl*)();
using MenuFn = void(__cdecl*)(HMENU popup);

struct ResourceLibrary {
    bool tried;
    HMODULE module;
    InitFn init;
    HwndFn window;
    MenuFn init_menu;
    DLGPROC files_page;
};
ResourceLibrary g_lib;

template <typename T>
T Proc(const char* name) {
    return reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(g_lib.module, name)));
}

// Loaded on first use: without the library, opening a resource file reports it as not found.
bool LoadLibraryOnce() {
    if (!g_lib.tried) {
        g_lib.tried = true;
        g_lib.module = LoadLibraryA("mresdll.dll");
        if (g_lib.module) {
            g_lib.init = Proc<InitFn>("_InitMorlares");
            g_lib.window = Proc<HwndFn>("_GetMorlaresHwnd");
            g_lib.init_menu = Proc<MenuFn>("_InitMenu");
            g_lib.files_page = Proc<DLGPROC>("_FilesConfigDlgProc@16");
        }
    }
    return g_lib.init && g_lib.window;
}

}  // namespace

HWND ResourceEditorWindow() {
    if (g_app->resource_editor && !IsWindow(g_app->resource_editor)) g_app->resource_editor = nullptr;
    return g_app->resource_editor;
}

bool StartResourceEditor(const char* path) {
    if (ResourceEditorWindow()) {
        ShowError("Resource editor is active.\nClose it first");
        return false;
    }
    if (!LoadLibraryOnce() || !g_lib.init(path, 1, g_app->mdi_client)) {
        FileNotFound(path);
        return false;
    }
    g_app->resource_editor = g_lib.window();
    if (g_app->resource_editor) PostMessageA(g_app->mdi_client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(g_app->resource_editor), 0);
    return g_app->resource_editor != nullptr;
}

void ResourceEditorInitMenu(HMENU popup) {
    if (g_lib.init_menu && ResourceEditorWindow()) g_lib.init_menu(popup);
}

DLGPROC ResourceFilesPageProc() { return ResourceEditorWindow() ? g_lib.files_page : nullptr; }

bool CloseResourceEditor() {
    HWND editor = ResourceEditorWindow();
    if (!editor) return true;
    SendMessageA(editor, WM_CLOSE, 0, 0);
    return ResourceEditorWindow() == nullptr;
}

bool IsResourceFileName(const char* path) {
    const char* dot = strrchr(path, '.');
    if (!dot) return false;
    return !lstrcmpiA(dot, ".rc") || !lstrcmpiA(dot, ".res") || !lstrcmpiA(dot, ".mrl");
}
