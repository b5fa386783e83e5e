#include "tests/support/morla_driving_w32.h"

#include <cstdio>

std::string TempPath(const char* name) {
    char dir[MAX_PATH];
    GetTempPathA(sizeof dir, dir);
    return std::string(dir) + name;
}

std::string TempFile(const char* name, const std::string& text) {
    std::string path = TempPath(name);
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD n;
    WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &n, nullptr);
    CloseHandle(f);
    return path;
}

std::string ReadWholeFile(const std::string& path) {
    std::string text;
    if (FILE* f = fopen(path.c_str(), "rb")) {
        char buffer[4096];
        size_t n;
        while ((n = fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, n);
        fclose(f);
    }
    return text;
}

HWND WaitForEditor(HWND frame) {
    for (int i = 0; i < 200; ++i) {
        HWND client = FindWindowExA(frame, nullptr, "MDIClient", nullptr);
        if (HWND editor = client ? FindWindowExA(client, nullptr, "clMDIDocument", nullptr) : nullptr) return editor;
        Sleep(50);
    }
    return nullptr;
}

HWND ActiveChild(HWND frame) {
    HWND client = FindWindowExA(frame, nullptr, "MDIClient", nullptr);
    return client ? reinterpret_cast<HWND>(SendMessageA(client, WM_MDIGETACTIVE, 0, 0)) : nullptr;
}

std::string StatusText(HWND frame) {
    HWND output = FindWindowExA(frame, nullptr, "MorlaOutput", nullptr);
    char status[512] = "";
    if (output) SendMessageA(output, WM_GETTEXT, sizeof status, reinterpret_cast<LPARAM>(status));
    return status;
}

std::string WaitForStatus(HWND frame, const std::string& text) {
    std::string now;
    for (int i = 0; i < 100 && (now = StatusText(frame)) != text; ++i) Sleep(50);
    return now;
}

std::string WindowText(HWND window) {
    char text[1024] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::vector<std::string> ListRows(HWND list) {
    std::vector<std::string> rows;
    LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::wstring wide(static_cast<size_t>(SendMessageW(list, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
        SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(wide.data()));
        std::string row(wide.size() * 2, '\0');
        int n = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, row.data(), static_cast<int>(row.size()), nullptr, nullptr);
        row.resize(n > 0 ? static_cast<size_t>(n - 1) : 0);
        rows.push_back(row);
    }
    return rows;
}

std::string BoxText(HWND box) {
    HWND label = GetDlgItem(box, 0xFFFF);
    return label ? WindowText(label) : "";
}

std::string DismissBox(DWORD process_id, const char* title) {
    HWND box = WaitForWindow(process_id, title);
    if (!box) return "";
    std::string text = BoxText(box);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    Sleep(200);
    return text;
}

void SetField(HWND dialog, int id, const std::string& text) {
    HWND field = GetDlgItem(dialog, id);
    SendMessageA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    // Tell the dialog as typing would.
    char kind[16] = "";
    GetClassNameA(field, kind, sizeof kind);
    WORD change = lstrcmpiA(kind, "ComboBox") == 0 ? CBN_EDITCHANGE : EN_CHANGE;
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, change), reinterpret_cast<LPARAM>(field));
}

void Click(HWND dialog, int id) { SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

void SetCheck(HWND dialog, int id, bool checked) {
    bool now = SendMessageA(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
    if (now != checked) Click(dialog, id);
}

std::string SaveAndRead(HWND frame, const std::string& path, const std::string& old) {
    PostMessageA(frame, WM_COMMAND, 1103, 0);
    for (int i = 0; i < 200; ++i) {
        std::string now = ReadWholeFile(path);
        Sleep(100);
        if (!now.empty() && now != old && now == ReadWholeFile(path)) return now;
    }
    return old;
}
