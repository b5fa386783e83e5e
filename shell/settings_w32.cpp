#include "shell/settings_w32.h"

#include <windows.h>
#include <shlobj.h>

#include "config/compiler_root.h"
#include "config/registry_w32.h"
#include "config/store_backend.h"
#include "shell/app_state_w32.h"
#include "shell/output_window_w32.h"
#include "shell/shell_hooks_w32.h"

Configuration g_config;

namespace {

bool AskDirectory(const char* prompt, std::string& answer) {
    char path[MAX_PATH] = "";
    BROWSEINFOA info{};
    info.hwndOwner = g_app ? g_app->frame : nullptr;
    info.lpszTitle = prompt;
    info.pszDisplayName = path;
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    LPITEMIDLIST item = SHBrowseForFolderA(&info);
    if (!item) return false;
    bool ok = SHGetPathFromIDListA(item, path) != 0;
    CoTaskMemFree(item);
    if (ok) answer = path;
    return ok && !answer.empty();
}

}  // namespace

bool LoadProgramConfiguration(const char* program_path, const char* current_directory) {
    SetStoreBackend(RegistryStoreBackend());
    g_store_platform.program_path = program_path;
    g_store_platform.current_directory = current_directory;
    g_store_platform.ask_directory = AskDirectory;
    return LoadConfiguration(g_config);
}

bool SaveProgramConfiguration() {
    g_config.save_at_exit = g_app->save_configuration;
    const RECT& r = g_app->frame_normal;
    g_config.frame_x = r.left;
    g_config.frame_y = r.top;
    g_config.frame_cx = r.right - r.left;
    g_config.frame_cy = r.bottom - r.top;
    g_config.frame_zoomed = g_app->frame_zoomed ? 1 : 0;
    g_config.output_wnd_height = OutputExpandedHeight();
    if (g_config.current_project.empty()) g_config.open_files = CollectOpenFiles();
    else g_config.project.open_files = CollectOpenFiles();
    char directory[MAX_PATH];
    if (GetCurrentDirectoryA(sizeof directory, directory)) g_config.current_dir = directory;
    return SaveConfiguration(g_config);
}
