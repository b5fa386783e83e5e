// The named shared-memory area "morla" through which other programs reach this instance.
#include "shell/shared_area_w32.h"

#include <cstring>

#include "shell/app_state_w32.h"
#include "shell/dispatch.h"
#include "shell/frame_w32.h"
#include "shell/shell_hooks_w32.h"

bool CreateSharedArea(AppState& app) {
    app.shared_mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kSharedAreaSize, "morla");
    if (!app.shared_mapping) return false;
    app.shared_view = static_cast<char*>(MapViewOfFile(app.shared_mapping, FILE_MAP_WRITE, 0, 0, kSharedViewSize));
    return app.shared_view != nullptr;
}

void CloseSharedArea(AppState& app) {
    if (app.shared_view) UnmapViewOfFile(app.shared_view);
    if (app.shared_mapping) CloseHandle(app.shared_mapping);
    app.shared_view = nullptr;
    app.shared_mapping = nullptr;
}

std::string SharedAreaText(const AppState& app) {
    if (!app.shared_view) return {};
    // Another program wrote it: never trust a terminator to be there.
    return std::string(app.shared_view, strnlen(app.shared_view, kSharedViewSize));
}

LRESULT HandleInterProcessCommand(AppState& app, UINT command) {
    switch (command) {
        case 3501: {
            std::string name = SharedAreaText(app);
            return !name.empty() && OpenNamedFile(name.c_str(), true);
        }
        case 3502: {
            std::string prototype = SharedAreaText(app);
            size_t semicolon = prototype.find(';');
            if (semicolon != std::string::npos) prototype.resize(semicolon);
            if (!g_shell_hooks.go_to_prototype) {
                ReportNotAvailable(1185);
                return 0;
            }
            return g_shell_hooks.go_to_prototype(prototype.c_str());
        }
        case 3503: {
            RECT r{};
            GetClientRect(app.frame, &r);
            return MAKELRESULT(r.right - r.left, r.bottom - r.top);
        }
        default:
            return 0;
    }
}
