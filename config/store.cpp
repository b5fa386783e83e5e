#include "config/store.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "config/compiler_root.h"
#include "shell/format_buffer.h"
#include "shell/messages.h"
#include "shell/report.h"

namespace {

// The four keys held while the store is open; `section` is `morla` or a project section.
struct OpenKeys {
    StoreKey software = nullptr;
    StoreKey rmc = nullptr;
    StoreKey morla = nullptr;
    StoreKey section = nullptr;
};

OpenKeys g_keys;
bool g_written = false;

const StoreBackend& Backend() { return CurrentStoreBackend(); }

}  // namespace

void ReportStoreWriteFailure() { ShowError(FormatText("Error %d writing to the registry", Backend().last_error())); }

bool OpenStore(const char* section, bool root_only) {
    CloseStore();
    const StoreBackend& b = Backend();
    g_keys.software = b.open_key(nullptr, "Software", false);
    if (!g_keys.software) {
        ReportStoreWriteFailure();
        return false;
    }
    g_keys.rmc = b.open_key(g_keys.software, "rmc", false);
    if (!g_keys.rmc) g_keys.rmc = FirstRunSetUp(g_keys.software);
    if (g_keys.rmc) g_keys.morla = b.open_key(g_keys.rmc, "Morla", true);
    if (!g_keys.morla) {
        if (g_keys.rmc) ReportStoreWriteFailure();
        CloseStore();
        return false;
    }
    g_keys.section = g_keys.morla;
    if (!root_only) {
        g_keys.section = b.open_key(g_keys.morla, section ? section : "", true);
        if (!g_keys.section) {
            ReportStoreWriteFailure();
            CloseStore();
            return false;
        }
    }
    return true;
}

void CloseStore() {
    const StoreBackend& b = Backend();
    if (g_keys.section && g_keys.section != g_keys.morla) b.close_key(g_keys.section);
    for (StoreKey key : {g_keys.morla, g_keys.rmc, g_keys.software})
        if (key) b.close_key(key);
    g_keys = OpenKeys{};
}

bool StoreIsOpen() { return g_keys.section != nullptr; }

bool ReadString(const char* name, std::string& out) {
    out.clear();
    if (!g_keys.section || !Backend().read_value(g_keys.section, name, out)) {
        out.clear();
        return false;
    }
    return true;
}

int ReadInt(const char* name, int default_value) {
    std::string text;
    if (!ReadString(name, text)) return default_value;
    const char* start = text.c_str();
    char* end = nullptr;
    errno = 0;
    long long value = std::strtoll(start, &end, 10);
    if (end == start || errno == ERANGE || value < INT_MIN || value > INT_MAX) return default_value;
    return static_cast<int>(value);
}

bool WriteString(const char* name, const char* text) {
    if (!g_keys.section || !Backend().write_value(g_keys.section, name, text ? text : "")) {
        ReportStoreWriteFailure();
        return false;
    }
    g_written = true;
    return true;
}

bool WriteInt(const char* name, long value) {
    char text[24];
    FormatInto(text, sizeof text, "%ld", value);
    return WriteString(name, text);
}

std::string NumberedName(const char* pattern, int first, int second) {
    int numbers[] = {first, second};
    size_t used = 0;
    std::string name;
    for (const char* p = pattern; *p; ++p) {
        if (p[0] == '%' && p[1] == 'd' && used < 2) {
            name += std::to_string(numbers[used++]);
            ++p;
        } else {
            name += *p;
        }
    }
    return name;
}

std::string ValueNameById(uint16_t id, int first, int second) { return NumberedName(MessageText(id), first, second); }

bool ReadStringById(uint16_t id, std::string& out) { return ReadString(MessageText(id), out); }

bool WriteStringById(uint16_t id, const char* text) { return WriteString(MessageText(id), text); }

bool ReadCompilerValue(const char* key, const char* name, std::string& out) {
    out.clear();
    if (!g_keys.rmc) return false;
    StoreKey sub = Backend().open_key(g_keys.rmc, key, false);
    if (!sub) return false;
    bool found = Backend().read_value(sub, name, out);
    Backend().close_key(sub);
    if (!found) out.clear();
    return found;
}

bool DeleteSection(const char* name) {
    if (!name || !*name || std::strcmp(name, "Morla") == 0) return true;
    if (!OpenStore(name, true)) return false;
    bool done = Backend().delete_subkey(g_keys.morla, name);
    if (!done) ReportStoreWriteFailure();
    CloseStore();
    return done;
}

std::vector<std::string> ProjectSectionNames() {
    std::vector<std::string> names;
    if (!g_keys.morla) return names;
    std::string name;
    for (int i = 0; Backend().subkey_name(g_keys.morla, i, name); ++i) names.push_back(name);
    return names;
}

bool RegistryWritten() { return g_written; }

void ClearRegistryWritten() { g_written = false; }
