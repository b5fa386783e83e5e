#include "config/registry_w32.h"

#include <windows.h>

#include <string>
#include <vector>

namespace {

std::string g_top_path;
LONG g_last_error = ERROR_SUCCESS;

// Registry calls return their error code rather than setting the thread's last error.
bool Check(LONG status) {
    if (status != ERROR_SUCCESS) g_last_error = status;
    return status == ERROR_SUCCESS;
}

HKEY Top() {
    if (g_top_path.empty()) return HKEY_CURRENT_USER;
    HKEY key = nullptr;
    LONG status = RegCreateKeyExA(HKEY_CURRENT_USER, g_top_path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                  KEY_ALL_ACCESS, nullptr, &key, nullptr);
    return Check(status) ? key : nullptr;
}

StoreKey OpenKey(StoreKey parent, const char* name, bool create) {
    HKEY base = parent ? static_cast<HKEY>(parent) : Top();
    if (!base) return nullptr;
    HKEY key = nullptr;
    LONG status = create ? RegCreateKeyExA(base, name, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                                           &key, nullptr)
                         : RegOpenKeyExA(base, name, 0, KEY_ALL_ACCESS, &key);
    if (!parent && base != HKEY_CURRENT_USER) RegCloseKey(base);
    return Check(status) ? static_cast<StoreKey>(key) : nullptr;
}

void CloseKey(StoreKey key) { RegCloseKey(static_cast<HKEY>(key)); }

// Asks for the size first, so a value of any length reads back whole.
bool ReadValue(StoreKey key, const char* name, std::string& out) {
    HKEY hkey = static_cast<HKEY>(key);
    for (;;) {
        DWORD type = 0, size = 0;
        if (!Check(RegQueryValueExA(hkey, name, nullptr, &type, nullptr, &size))) return false;
        if (type != REG_SZ && type != REG_EXPAND_SZ) {
            g_last_error = ERROR_INVALID_DATA;
            return false;
        }
        std::vector<char> buffer(size + 1, '\0');
        DWORD got = size;
        LONG status = RegQueryValueExA(hkey, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &got);
        if (status == ERROR_MORE_DATA) continue;  // the value grew between the two calls
        if (!Check(status)) return false;
        if (type != REG_SZ && type != REG_EXPAND_SZ) {
            g_last_error = ERROR_INVALID_DATA;
            return false;
        }
        out.assign(buffer.data(), got);
        size_t end = out.find('\0');
        if (end != std::string::npos) out.resize(end);
        return true;
    }
}

bool WriteValue(StoreKey key, const char* name, const char* text) {
    DWORD size = static_cast<DWORD>(strlen(text) + 1);
    return Check(RegSetValueExA(static_cast<HKEY>(key), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), size));
}

bool DeleteSubkey(StoreKey key, const char* name) {
    LONG status = RegDeleteKeyA(static_cast<HKEY>(key), name);
    return status == ERROR_FILE_NOT_FOUND || Check(status);
}

bool SubkeyName(StoreKey key, int index, std::string& name) {
    HKEY hkey = static_cast<HKEY>(key);
    DWORD longest = 0;
    if (!Check(RegQueryInfoKeyA(hkey, nullptr, nullptr, nullptr, nullptr, &longest, nullptr, nullptr, nullptr, nullptr,
                                nullptr, nullptr)))
        return false;
    std::vector<char> buffer(longest + 2, '\0');
    DWORD length = static_cast<DWORD>(buffer.size());
    if (!Check(RegEnumKeyExA(hkey, static_cast<DWORD>(index), buffer.data(), &length, nullptr, nullptr, nullptr,
                             nullptr)))
        return false;
    name.assign(buffer.data(), length);
    return true;
}

int LastError() { return static_cast<int>(g_last_error); }

const StoreBackend kRegistryBackend = {OpenKey, CloseKey, ReadValue, WriteValue, DeleteSubkey, SubkeyName, LastError};

}  // namespace

const StoreBackend* RegistryStoreBackend() { return &kRegistryBackend; }

void SetRegistryTopKey(const char* path) { g_top_path = path ? path : ""; }
