#pragma once
// What the fixture generator writes: small i386 PE images with COFF symbols and CodeView 4
// debug information, described well enough that tests can check a reader against them.
#include <cstdint>
#include <string>
#include <vector>

// CodeView primitive types and registers the fixtures use.
inline constexpr uint16_t T_VOID = 0x0003, T_CHAR = 0x0010, T_ULONG = 0x0022, T_INT4 = 0x0074,
                          T_32PINT4 = 0x0474, T_32PRCHAR = 0x0470;
inline constexpr uint16_t CV_REG_EBX = 20;
inline constexpr uint16_t S_REGISTER = 0x0002, S_BPREL32 = 0x0200, S_LDATA32 = 0x0201, S_GDATA32 = 0x0202,
                          S_PUB32 = 0x0203, S_LPROC32 = 0x0204, S_GPROC32 = 0x0205;

enum class FixupKind { Call, Data, ImportSlot };
struct Fixup {
    uint32_t at;  // position of the 32-bit field in the code
    FixupKind kind;
    std::string target;  // called function
    uint32_t value;      // data offset, or import index
};

struct FixtureLocal {
    std::string name;
    int32_t value;  // EBP offset or register number
    uint16_t type;
    bool in_register;
};

struct FixtureFunction {
    std::string name;
    uint16_t kind = S_GPROC32, type = 0;
    uint32_t start = 0, debug_start = 0, debug_end = 0, end = 0;  // offsets in .text
    std::vector<FixtureLocal> locals;
};

struct FixtureLine {
    uint32_t offset;  // in .text
    uint16_t line;
};

struct FixtureData {
    std::string name;
    uint16_t kind, type;
    uint16_t section = 2;  // 1 .text, 2 .data
    uint32_t offset = 0;   // in that section
};

struct FixtureConstant {
    std::string name, text;
};

struct FixtureModule {
    std::string name, source_file;
    std::vector<std::string> source;  // line n is source[n - 1]
    uint32_t code_start = 0, code_end = 0;
    std::vector<FixtureFunction> functions;
    std::vector<FixtureLine> lines;
    std::vector<FixtureData> symbols;     // in the module's own symbols
    std::vector<FixtureData> late_statics;  // S_LDATA32 placed in the global symbols
    std::vector<FixtureConstant> constants;
};

struct FixtureImport {
    std::string dll, function, stub_symbol;
    uint32_t stub = 0;  // offset of the FF 25 stub in .text
};

struct FixtureCoffSymbol {
    std::string name;
    uint32_t value;  // RVA
    int16_t section;
    uint8_t storage_class, aux_records;
};

struct FixtureImage {
    std::string file_name;
    uint32_t base = 0x400000;
    bool dll = false;
    bool coff_symbols = true;
    bool debug_section = false;  // the directory in ".debug", its size counting entries
    int exit_code = 0;           // what the program returns when run
    std::vector<uint8_t> text, data;
    std::vector<Fixup> fixups;
    uint32_t entry = 0;  // offset in .text
    std::vector<FixtureModule> modules;
    std::vector<FixtureData> globals;
    std::vector<std::vector<uint8_t>> types;  // records from index 0x1000, without length word
    std::vector<FixtureImport> imports;
    std::vector<std::pair<std::string, uint32_t>> exports;  // name, .text offset
    std::vector<std::pair<std::string, uint32_t>> labels;   // code without CodeView: name, .text offset
    std::vector<FixtureCoffSymbol> coff;  // filled by the writer
    // Filled by the writer: RVAs of the sections.
    uint32_t data_rva = 0, rdata_rva = 0, idata_rva = 0;

    uint32_t CodeAddress(uint32_t offset) const { return base + 0x1000 + offset; }
    uint32_t DataAddress(uint32_t offset) const { return base + data_rva + offset; }
};

// Lays the image out, resolves its fixups and returns the file's bytes.
std::vector<uint8_t> WritePeImage(FixtureImage* image);
std::vector<uint8_t> WriteCodeView(const FixtureImage& image);
