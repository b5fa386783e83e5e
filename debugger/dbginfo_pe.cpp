#include "debugger/dbginfo_pe.h"

#include <cctype>

namespace {

constexpr uint16_t kMzSignature = 0x5A4D;
constexpr uint32_t kPeSignature = 0x00004550;
constexpr uint32_t kFileHeaderSize = 20, kSectionSize = 40, kOptionalFixedSize = 96;

}  // namespace

bool ReadPeHeaders(ByteRange file, PeHeaders* out) {
    uint16_t mz, section_count, optional_size;
    uint32_t pe_offset, signature;
    if (!GetU16(file, 0, &mz) || mz != kMzSignature) return false;
    if (!GetU32(file, 0x3C, &pe_offset) || !GetU32(file, pe_offset, &signature) ||
        signature != kPeSignature)
        return false;
    ByteRange header = SubRange(file, uint64_t(pe_offset) + 4, kFileHeaderSize);
    if (!header.data) return false;
    GetU16(header, 2, &section_count);
    GetU32(header, 8, &out->symbol_table);
    GetU32(header, 12, &out->symbol_count);
    GetU16(header, 16, &optional_size);
    uint64_t optional_offset = uint64_t(pe_offset) + 4 + kFileHeaderSize;
    ByteRange optional = SubRange(file, optional_offset, optional_size);
    if (!optional.data || optional_size < kOptionalFixedSize) return false;
    GetU32(optional, 4, &out->size_of_code);
    GetU32(optional, 8, &out->size_of_data);
    GetU32(optional, 12, &out->size_of_bss);
    GetU32(optional, 16, &out->entry_rva);
    GetU32(optional, 20, &out->base_of_code);
    GetU32(optional, 24, &out->base_of_data);
    GetU32(optional, 28, &out->image_base);
    uint32_t directory_count = 0;
    GetU32(optional, 92, &directory_count);
    for (uint32_t i = 0; i < directory_count && i < 16; ++i) {
        if (!GetU32(optional, kOptionalFixedSize + 8 * i, &out->directories[i].rva) ||
            !GetU32(optional, kOptionalFixedSize + 8 * i + 4, &out->directories[i].size)) {
            out->directories[i] = {};
            break;
        }
    }
    ByteRange table = SubRange(file, optional_offset + optional_size, uint64_t(section_count) * kSectionSize);
    if (!table.data) return false;
    out->sections.resize(section_count);
    for (uint32_t i = 0; i < section_count; ++i) {
        PeSection& s = out->sections[i];
        uint32_t at = i * kSectionSize;
        memcpy(s.name, table.data + at, 8);
        GetU32(table, at + 8, &s.virtual_size);
        GetU32(table, at + 12, &s.virtual_address);
        GetU32(table, at + 16, &s.raw_size);
        GetU32(table, at + 20, &s.raw_offset);
    }
    return true;
}

const PeSection* FindSection(const PeHeaders& pe, const char* name) {
    for (const PeSection& s : pe.sections) {
        int i = 0;
        while (i < 8 && name[i] && tolower(static_cast<unsigned char>(s.name[i])) ==
                                       tolower(static_cast<unsigned char>(name[i])))
            ++i;
        if (i == 8 || (!name[i] && s.name[i] == '\0')) return &s;
    }
    return nullptr;
}

const PeSection* SectionOfRva(const PeHeaders& pe, uint32_t rva, uint32_t* file_offset) {
    for (const PeSection& s : pe.sections) {
        if (rva >= s.virtual_address && rva - s.virtual_address < s.raw_size) {
            *file_offset = s.raw_offset + (rva - s.virtual_address);
            return &s;
        }
    }
    return nullptr;
}
