#include <windows.h>
#include <shlobj.h>

#include "config/compiler_root.h"
#include "config/registry_w32.h"

namespace {

// The program's path as the command line's first word, with its opening quote if any.
std::string ProgramPathFromCommandLine(const char* line) {
    if (!line) return "";
    const char* end = line;
    if (*end == '"') {
        end = strchr(line + 1, '"');
        end = end ? end + 1 : line + strlen(line);
    } else {
        while (*end && *end != ' ' && *end != '\t') ++end;
    }
    return std::string(line, end);
}

}  // namespace

bool AskDirectoryDialog(const char* prompt, std::string& answer) {
    char path[MAX_PATH] = "";
    BROWSEINFOA info = {};
    info.pszDisplayName = path;
    info.lpszTitle = prompt;
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    LPITEMIDLIST chosen = SHBrowseForFolderA(&info);
    if (!chosen) return false;
    bool got = SHGetPathFromIDListA(chosen, path) != FALSE;
    IMalloc* shell_malloc = nullptr;
    if (SHGetMalloc(&shell_malloc) == S_OK) {
        shell_malloc->Free(chosen);
        shell_malloc->Release();
    }
    if (got) answer = path;
    return got && !answer.empty();
}

void InstallRegistryStore() {
    SetStoreBackend(RegistryStoreBackend());
    g_store_platform.program_path = ProgramPathFromCommandLine(GetCommandLineA());
    char directory[MAX_PATH] = "";
    DWORD length = GetCurrentDirectoryA(sizeof directory, directory);
    g_store_platform.current_directory = length > 0 && length < sizeof directory ? directory : "";
    g_store_platform.ask_directory = AskDirectoryDialog;
}
