#pragma once
// The PE headers of an executable or DLL, read with every field checked against the file.
#include <cstdint>
#include <vector>

#include "debugger/dbginfo_bytes.h"

struct PeSection {
    char name[8];
    uint32_t virtual_size, virtual_address, raw_size, raw_offset;
};

struct PeDirectory {
    uint32_t rva = 0, size = 0;
};

inline constexpr int kExportDirectory = 0, kImportDirectory = 1, kDebugDirectory = 6;
inline constexpr uint32_t kDebugEntrySize = 28;

struct PeHeaders {
    uint32_t symbol_table = 0, symbol_count = 0;
    uint32_t entry_rva = 0, base_of_code = 0, size_of_code = 0, base_of_data = 0;
    uint32_t size_of_data = 0, size_of_bss = 0, image_base = 0;
    PeDirectory directories[16];
    std::vector<PeSection> sections;
};

// False when the file is not a PE image or its headers run past the end of the file.
bool ReadPeHeaders(ByteRange file, PeHeaders* out);
// Names are compared on their 8 bytes, ignoring case.
const PeSection* FindSection(const PeHeaders& pe, const char* name);
// The section whose raw data holds the RVA, and the RVA's file offset.
const PeSection* SectionOfRva(const PeHeaders& pe, uint32_t rva, uint32_t* file_offset);
