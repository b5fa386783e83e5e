#include "tests/debugger/dbginfo_fixture.h"

#include <cstdio>
#include <cstring>

#include "debugger/dbginfo_pe.h"

std::vector<uint8_t> ReadFixtureFile(const std::string& name) {
    std::vector<uint8_t> bytes;
#ifdef DEBUGGER_FIXTURE_DIR
    FILE* f = fopen((std::string(DEBUGGER_FIXTURE_DIR) + "/" + name).c_str(), "rb");
    if (!f) return bytes;
    uint8_t block[65536];
    size_t n;
    while ((n = fread(block, 1, sizeof block, f)) > 0) bytes.insert(bytes.end(), block, block + n);
    fclose(f);
#endif
    return bytes;
}

MappedImage::MappedImage(const FixtureImage& image, const std::vector<uint8_t>& file) : base(image.base) {
    PeHeaders pe;
    if (!ReadPeHeaders({file.data(), uint32_t(file.size())}, &pe)) return;
    for (const PeSection& s : pe.sections) {
        if (memory.size() < s.virtual_address + s.raw_size) memory.resize(s.virtual_address + s.raw_size);
        memcpy(memory.data() + s.virtual_address, file.data() + s.raw_offset, s.raw_size);
    }
    for (size_t i = 0; i < image.imports.size(); ++i) {
        // The slot is what the stub's jump names.
        uint32_t field = 0x1000 + image.imports[i].stub + 2, slot;
        memcpy(&slot, memory.data() + field, 4);
        uint32_t function = 0x7B000000 + 0x100 * uint32_t(i);
        memcpy(memory.data() + (slot - base), &function, 4);
        bound[slot] = function;
    }
}

DebuggeeMemory MappedImage::Reader() {
    DebuggeeMemory m;
    m.context = this;
    m.read = [](void* context, uint32_t address, void* out, uint32_t size) {
        MappedImage* self = static_cast<MappedImage*>(context);
        uint64_t at = uint64_t(address) - self->base;
        if (address < self->base || at + size > self->memory.size()) return false;
        memcpy(out, self->memory.data() + at, size);
        return true;
    };
    return m;
}
