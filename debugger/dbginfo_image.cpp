#include "debugger/dbginfo_image.h"

#include "debugger/dbginfo_codeview.h"

namespace {

constexpr uint32_t kCoffSymbolSize = 18;
constexpr uint32_t kCoffDebugType = 1, kCodeViewDebugType = 2;

}  // namespace

bool SetCoffView(ImageFacts* facts, const PeHeaders& pe, ByteRange file) {
    facts->coff = {};
    uint64_t table_size = uint64_t(pe.symbol_count) * kCoffSymbolSize;
    if (!pe.symbol_table || !pe.symbol_count || !Fits(file, pe.symbol_table, table_size)) return false;
    facts->coff.symbols = file.data + pe.symbol_table;
    facts->coff.count = pe.symbol_count;
    facts->coff.strings = facts->coff.symbols + table_size;
    facts->coff.strings_room = static_cast<uint32_t>(file.size - pe.symbol_table - table_size);
    return true;
}

void SetImageFacts(ImageFacts* facts, const PeHeaders& pe) {
    facts->entry_rva = pe.entry_rva;
    facts->entry_address = facts->image_base + pe.entry_rva;
    facts->code_start = facts->image_base + pe.base_of_code;
    facts->code_end = facts->code_start + pe.size_of_code;
    facts->data_start = facts->image_base + pe.base_of_data;
    facts->data_end = facts->data_start + pe.size_of_data + pe.size_of_bss;
}

bool LocateDebugDirectory(const PeHeaders& pe, uint32_t* file_offset, uint32_t* count) {
    const PeDirectory& d = pe.directories[kDebugDirectory];
    if (!d.rva) return false;
    // The suite's linker writes the entry count, not the byte size, for a ".debug" section.
    const PeSection* debug = FindSection(pe, ".debug");
    if (debug && debug->virtual_address == d.rva) {
        *file_offset = debug->raw_offset;
        *count = d.size;
        return true;
    }
    const PeSection* rdata = FindSection(pe, ".rdata");
    if (!rdata || d.rva < rdata->virtual_address || d.rva - rdata->virtual_address >= rdata->raw_size)
        return false;
    *file_offset = rdata->raw_offset + (d.rva - rdata->virtual_address);
    *count = d.size / kDebugEntrySize;
    return true;
}

void ReadDebugDirectory(DebugImage* image, const PeHeaders& pe, ByteRange file) {
    uint32_t first, count;
    if (!LocateDebugDirectory(pe, &first, &count)) return;
    ImageFacts& facts = image->facts;
    for (uint32_t i = 0; i < count; ++i) {
        ByteRange entry = SubRange(file, first + uint64_t(i) * kDebugEntrySize, kDebugEntrySize);
        if (!entry.data) return;
        uint32_t type, size, pointer;
        GetU32(entry, 12, &type);
        GetU32(entry, 16, &size);
        GetU32(entry, 24, &pointer);
        if (type == kCoffDebugType && facts.coff.count && pointer < file.size) {
            facts.coff.coff_debug = file.data + pointer;
        } else if (type == kCodeViewDebugType && size && !facts.has_codeview) {
            ByteRange blob = SubRange(file, pointer, size);
            facts.has_codeview = blob.data && ReadCodeView(image, pe, blob);
        }
    }
}

void ReadImports(DebugImage* image, const PeHeaders& pe, ByteRange file) {
    uint64_t rva = pe.directories[kImportDirectory].rva;
    if (!rva) {
        const PeSection* idata = FindSection(pe, ".idata");
        if (!idata) return;
        rva = idata->virtual_address;
    }
    auto at = [&](uint64_t r) -> uint64_t {  // file offset of an RVA, or past the file
        uint32_t o;
        return r <= UINT32_MAX && SectionOfRva(pe, static_cast<uint32_t>(r), &o) ? o : UINT64_MAX;
    };
    for (;; rva += 20) {
        uint32_t original, time, name, first_thunk;
        uint64_t d = at(rva);
        std::string dll;
        if (!GetU32(file, d, &original) || !GetU32(file, d + 4, &time) || !GetU32(file, d + 12, &name) ||
            !GetU32(file, d + 16, &first_thunk) || (!time && !name) || !GetCString(file, at(name), &dll))
            return;
        uint64_t thunks = original ? original : first_thunk;
        for (uint32_t j = 0;; ++j) {
            uint32_t entry;
            ImportStub stub;
            if (!GetU32(file, at(thunks + 4 * uint64_t(j)), &entry) || !entry || (entry & 0x80000000u) ||
                !GetCString(file, at(uint64_t(entry) + 2), &stub.function))
                break;
            stub.dll = dll;
            stub.target = image->facts.image_base + first_thunk + 4 * j;
            image->imports.push_back(std::move(stub));
        }
    }
}
