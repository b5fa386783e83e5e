#include <cctype>
#include <cstring>
#include <string>

#include "debugger/dbginfo.h"
#include "debugger/dbginfo_bytes.h"
#include "debugger/dbginfo_hash.h"

namespace {

const DebugModule* Current(const DebugImage& image) {
    int m = image.current_module;
    return m > 0 && m <= image.highest_module ? &image.modules[m] : nullptr;
}

// The name without directory and extension, lower-cased.
std::string BaseName(const char* path) {
    const char* start = path;
    for (const char* p = path; *p; ++p)
        if (*p == '\\' || *p == '/' || *p == ':') start = p + 1;
    std::string name(start);
    size_t dot = name.rfind('.');
    if (dot != std::string::npos) name.erase(dot);
    for (char& c : name) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return name;
}

// A function's name as written in C: one leading '_' and any "@n" suffix dropped.
std::string BareName(const std::string& name) {
    size_t from = !name.empty() && name[0] == '_' ? 1 : 0;
    return name.substr(from, name.find('@', from) - from);
}

}  // namespace

DebugSymbol* SymbolByName(const DebugImage& image, const char* name) {
    const DebugModule* module = Current(image);
    if (module) {
        if (DebugSymbol* s = HashFind(module->statics, name)) return s;
        if (module->dll) return HashFind(module->dll->facts.globals, name);
    }
    if (DebugSymbol* s = HashFind(image.facts.globals, name)) return s;
    for (const LoadedDll* dll = image.dlls; dll; dll = dll->next)
        if (DebugSymbol* s = HashFind(dll->facts.globals, name)) return s;
    return nullptr;
}

DebugSymbol* StringConstantByName(const DebugImage& image, const char* name) {
    const DebugModule* module = Current(image);
    return module ? HashFind(module->constants, name) : nullptr;
}

int ModuleByAddress(const DebugImage& image, uint32_t address) {
    for (int i = 1; i <= image.highest_module; ++i)
        if (image.modules[i].code_start <= address && address < image.modules[i].code_end) return i;
    return 0;
}

int ModuleBySourceName(const DebugImage& image, const char* file_name) {
    std::string wanted = BaseName(file_name);
    for (int i = 1; i <= image.highest_module; ++i)
        if (BaseName(image.modules[i].name.c_str()) == wanted) return i;
    return 0;
}

DebugFunction* FunctionByAddress(const DebugModule& module, uint32_t address) {
    for (DebugFunction* f = module.functions; f; f = f->next)
        if (f->start == address || (f->start <= address && address < f->end)) return f;
    return nullptr;
}

DebugFunction* FunctionByName(const DebugImage& image, const char* name, int* module_index) {
    for (int i = 1; i <= image.highest_module; ++i) {
        for (DebugFunction* f = image.modules[i].functions; f; f = f->next) {
            if (BareName(f->name) == name) {
                if (module_index) *module_index = i;
                return f;
            }
        }
    }
    return nullptr;
}

bool BuildFunctionLines(const DebugModule& module, DebugFunction* f) {
    if (f->lines_built) return true;
    const std::vector<uint32_t>& addresses = module.line_addresses;
    size_t first = 0;
    while (first < addresses.size() && addresses[first] < f->start) ++first;
    if (first == addresses.size()) return false;
    size_t count = 0;
    while (first + count < addresses.size() && addresses[first + count] < f->end && count < UINT16_MAX) ++count;
    f->first_line = static_cast<uint32_t>(first);
    f->line_count = static_cast<uint16_t>(count);
    f->lines_built = true;
    return true;
}

// Between two entries an address belongs to the line of the entry at or below it. A
// module's end is the next module's start, so it is not part of the module.
uint16_t LineOfAddress(const DebugImage& image, uint32_t address) {
    for (int i = 1; i <= image.highest_module; ++i) {
        const DebugModule& m = image.modules[i];
        if (address < m.code_start || address >= m.code_end) continue;
        uint16_t line = 0;
        for (size_t k = 0; k < m.line_addresses.size() && m.line_addresses[k] <= address; ++k)
            line = m.line_numbers[k];
        if (line) return line;
    }
    return 0;
}

// The nearest line at or after the request that has code, wherever it lies in the table.
uint16_t FirstLineWithCode(const DebugModule& module, uint16_t line) {
    uint16_t best = 0;
    for (uint16_t n : module.line_numbers)
        if (n >= line && (best == 0 || n < best)) best = n;
    return best;
}

// The request moves to the nearest line with code; repeated calls then find that line's
// further entries, never those of the lines after it.
uint32_t AddressOfLine(const DebugModule& module, uint16_t line, uint32_t from, uint32_t* next) {
    uint16_t target = FirstLineWithCode(module, line);
    for (size_t k = from; target && k < module.line_numbers.size(); ++k) {
        if (module.line_numbers[k] == target) {
            if (next) *next = static_cast<uint32_t>(k + 1);
            return module.line_addresses[k];
        }
    }
    if (next) *next = static_cast<uint32_t>(module.line_numbers.size());
    return 0;
}

const TypeTable& TypesOfModule(const DebugImage& image, int module_index) {
    if (module_index > 0 && module_index <= image.highest_module && image.modules[module_index].dll)
        return image.modules[module_index].dll->facts.types;
    return image.facts.types;
}

const uint8_t* TypeRecord(const TypeTable& types, uint16_t index, uint32_t* size) {
    if (index < 0x1000 || uint32_t(index - 0x1000) >= types.count) return nullptr;
    uint32_t offset = 0;
    GetU32({types.offsets, 4 * types.count}, 4 * uint32_t(index - 0x1000), &offset);
    ByteRange records{types.records, static_cast<uint32_t>(types.end - types.records)};
    uint16_t length;
    if (!GetU16(records, offset, &length) || !Fits(records, offset, uint64_t(length) + 2)) return nullptr;
    *size = length + 2u;
    return types.records + offset;
}

const char* ImportNameByStub(const DebugImage& image, uint32_t address) {
    for (const ImportStub& s : image.imports)
        if (s.stub == address) return s.function.c_str();
    return nullptr;
}

const char* ImportNameByTarget(const DebugImage& image, uint32_t address) {
    for (const ImportStub& s : image.imports)
        if (s.target == address) return s.function.c_str();
    return nullptr;
}

const char* NameOfAddress(const DebugImage& image, uint32_t address) {
    if (int m = ModuleByAddress(image, address))
        if (DebugFunction* f = FunctionByAddress(image.modules[m], address)) return f->name.c_str();
    return ImportNameByStub(image, address);
}
