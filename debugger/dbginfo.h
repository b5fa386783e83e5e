#pragma once
// The debug information of the debuggee: its executable and every DLL it loads, read in
// place from their read-only views (PE headers, COFF symbols, CodeView 4 data).
#include <cstdint>
#include <string>
#include <vector>

struct DebugFunction;
struct LoadedDll;

// Code offsets in the CodeView data are relative to the code section, always at this RVA.
inline constexpr uint32_t kCodeSectionRva = 0x1000;
inline constexpr uint16_t kLocalInRegister = 1;  // DebugLocal::flags
inline constexpr uint16_t kStringConstantKind = 3;

struct DebugLocal {
    std::string name;
    uint32_t value = 0;  // EBP-relative offset (signed) or register number
    uint16_t type = 0;
    uint16_t flags = 0;
};

struct DebugFunction {
    DebugFunction* next = nullptr;
    std::string name;
    uint32_t start = 0;
    uint16_t kind = 0;
    uint32_t debug_start = 0;  // first address after the prologue
    uint32_t debug_end = 0;    // the epilogue
    uint32_t end = 0;
    // Line slice into the module's line arrays, built on first use.
    bool lines_built = false;
    uint16_t line_count = 0;
    uint32_t first_line = 0;  // index into DebugModule::line_numbers / line_addresses
    std::vector<DebugLocal> locals;
    uint16_t last_line_shown = 0;
    uint32_t samples_on_top = 0, samples_as_caller = 0;
    uint32_t last_return_address = 0, last_frame = 0;
};

struct DebugSymbol {
    DebugSymbol* next = nullptr;
    std::string name;
    uint16_t kind = 0;  // CodeView record type, or kStringConstantKind
    uint16_t type = 0;
    uint32_t address = 0;
    std::string text;  // a string constant's characters
    DebugFunction* function = nullptr;
};

inline constexpr uint32_t kHashBuckets = 1024;
struct SymbolHash {
    DebugSymbol* buckets[kHashBuckets] = {};
};

struct TypeTable {
    uint32_t count = 0;
    const uint8_t* offsets = nullptr;
    const uint8_t* records = nullptr;
    const uint8_t* end = nullptr;  // end of the subsection: no record reaches past it
};

struct ImportStub {
    std::string function, dll;
    uint32_t target = 0;  // the IAT slot, after resolution the function's address
    uint32_t stub = 0;    // the program's own FF 25 jump through the slot
};

struct DebugModule {
    std::string name, source_file;
    uint32_t code_start = 0, code_end = 0, code_size = 0;
    int32_t index = 0;
    std::vector<uint32_t> line_addresses;  // ascending
    std::vector<uint16_t> line_numbers;
    uint32_t line_block_offset = 0;
    uint16_t function_count = 0;
    DebugFunction* functions = nullptr;
    DebugFunction* last_function = nullptr;
    SymbolHash* statics = nullptr;
    SymbolHash* constants = nullptr;
    void* editor_window = nullptr;
    uint32_t in_dll = 0;
    LoadedDll* dll = nullptr;
};

// The COFF symbol table of one image: 18-byte records followed by the string table.
struct CoffView {
    const uint8_t* symbols = nullptr;
    uint32_t count = 0;
    const uint8_t* strings = nullptr;
    uint32_t strings_room = 0;  // bytes from the string table to the end of the file
    const uint8_t* coff_debug = nullptr;
};

// What belongs to one image; a DLL's copy moves into its LoadedDll.
struct ImageFacts {
    uint32_t image_base = 0, entry_rva = 0, entry_address = 0;
    uint32_t code_start = 0, code_end = 0, data_start = 0, data_end = 0;
    void* mapping = nullptr;
    const uint8_t* view = nullptr;
    uint32_t file_size = 0;
    CoffView coff;
    bool code_symbols_built = false;
    std::vector<const uint8_t*> code_symbols;  // external code symbols by value
    SymbolHash* globals = nullptr;
    TypeTable types;
    bool has_codeview = false;
};

struct LoadedDll {
    LoadedDll* next = nullptr;
    uint32_t base = 0;
    void* file = nullptr;
    uint32_t entry_rva = 0, entry_address = 0;
    std::string image_name, system_name;
    std::vector<uint8_t> debug_directory;  // copied 28-byte entries
    uint32_t debug_entries = 0;
    uint32_t modules_added = 0;
    int32_t first_module = 0;
    ImageFacts facts;
    uint32_t samples = 0;
};

// Releases a view handed to the reader (the platform layer unmaps and closes it).
using ViewRelease = void (*)(void* mapping, const uint8_t* view, void* file);

struct DebugImage {
    ImageFacts facts;  // the executable's, or the DLL's while one is being read
    std::vector<DebugModule> modules;  // entry 0 holds no module
    int32_t highest_module = -1;
    int32_t module_base = 0;
    std::vector<ImportStub> imports;
    LoadedDll* dlls = nullptr;  // most recent first
    int32_t current_module = 0;
    ViewRelease release_view = nullptr;
};

// Reads the debuggee's memory through the engine; true when every byte was read.
struct DebuggeeMemory {
    bool (*read)(void* context, uint32_t address, void* out, uint32_t size) = nullptr;
    void* context = nullptr;
};

// --- loading (dbginfo_load.cpp) ---
// The executable's view (from the process-creation event's file) and its name for messages.
bool LoadExecutable(DebugImage* image, const uint8_t* view, uint32_t size, uint32_t base,
                    const char* name, bool attached);
bool LoadDll(DebugImage* image, const uint8_t* view, uint32_t size, uint32_t base,
             const char* system_name, void* file, void* mapping);
int FindEntryFunction(DebugImage* image);
bool ResolveImportStubs(DebugImage* image, const DebuggeeMemory& memory);
void ReleaseDebugInfo(DebugImage* image);

// --- lookups (dbginfo_lookup.cpp) ---
DebugSymbol* SymbolByName(const DebugImage& image, const char* name);
DebugSymbol* StringConstantByName(const DebugImage& image, const char* name);
int ModuleByAddress(const DebugImage& image, uint32_t address);
int ModuleBySourceName(const DebugImage& image, const char* file_name);
DebugFunction* FunctionByAddress(const DebugModule& module, uint32_t address);
DebugFunction* FunctionByName(const DebugImage& image, const char* name, int* module_index);
bool BuildFunctionLines(const DebugModule& module, DebugFunction* function);
uint16_t LineOfAddress(const DebugImage& image, uint32_t address);
uint16_t FirstLineWithCode(const DebugModule& module, uint16_t line);
uint32_t AddressOfLine(const DebugModule& module, uint16_t line, uint32_t from, uint32_t* next);
const TypeTable& TypesOfModule(const DebugImage& image, int module_index);
// The record of a type index (length word first) and its size, or null.
const uint8_t* TypeRecord(const TypeTable& types, uint16_t index, uint32_t* size);
const char* ImportNameByStub(const DebugImage& image, uint32_t address);
const char* ImportNameByTarget(const DebugImage& image, uint32_t address);
const char* NameOfAddress(const DebugImage& image, uint32_t address);

// --- COFF symbols (dbginfo_coff.cpp) ---
std::string CoffSymbolName(const CoffView& coff, uint32_t index);
bool CoffAddressByName(const ImageFacts& facts, const char* name, uint32_t* address);
// The external code symbol at or below the address (its name), and the next one above it
// (where a pseudo-function for code without CodeView ends).
bool CoffSymbolAtOrBelow(ImageFacts* facts, uint32_t address, std::string* name, uint32_t* value);
bool CoffSymbolAbove(ImageFacts* facts, uint32_t address, std::string* name, uint32_t* value);
