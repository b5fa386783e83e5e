#include "debugger/dbginfo_codeview.h"

#include <algorithm>

#include "debugger/dbginfo_hash.h"
#include "shell/format_buffer.h"
#include "shell/report.h"

namespace {

enum : uint16_t {
    sstModule = 0x120, sstAlignSym = 0x125, sstSrcModule = 0x127, sstGlobalSym = 0x129,
    sstGlobalTypes = 0x12B, sstStaticSym = 0x134,
};

enum : uint16_t {
    S_COMPILE = 0x0001, S_REGISTER = 0x0002, S_CONSTANT = 0x0003, S_UDT = 0x0004,
    S_SSEARCH = 0x0005, S_END = 0x0006, S_OBJNAME = 0x0009, S_BPREL32 = 0x0200,
    S_LDATA32 = 0x0201, S_GDATA32 = 0x0202, S_PUB32 = 0x0203, S_LPROC32 = 0x0204,
    S_GPROC32 = 0x0205, S_THUNK32 = 0x0206, S_BLOCK32 = 0x0207, S_LABEL32 = 0x0209,
    S_PROCREF = 0x0400, S_DATAREF = 0x0401, S_ALIGN = 0x0402,
};

constexpr uint16_t LF_VARSTRING = 0x8010;
constexpr uint32_t kLongestUnknownRecord = 500;
constexpr uint32_t kDirectoryEntrySize = 12;

struct Subsection {
    uint16_t type, module;
    ByteRange bytes;
};

struct CodeViewReader {
    DebugImage* image;
    const PeHeaders* pe;
    uint32_t new_modules = 0;
    int32_t owner = -1;  // module of the last sstAlignSym

    uint32_t Base() const { return image->facts.image_base; }
    uint32_t CodeAddress(uint32_t offset) const { return Base() + kCodeSectionRva + offset; }
    // The table index of a subsection's module, or -1 when it names none of this image's.
    int32_t ModuleIndex(uint16_t module) const {
        if (module == 0 || module > new_modules) return -1;
        return image->module_base + module;
    }
    DebugModule* Module(int32_t index) const { return index > 0 ? &image->modules[index] : nullptr; }
};

// The directory entries that lie inside the blob; a directory that does not gives none.
std::vector<Subsection> ReadDirectory(ByteRange blob) {
    std::vector<Subsection> result;
    uint32_t directory;
    uint16_t header_size, entry_size;
    uint32_t count;
    if (!GetU32(blob, 4, &directory) || !GetU16(blob, directory, &header_size) ||
        !GetU16(blob, uint64_t(directory) + 2, &entry_size) || !GetU32(blob, uint64_t(directory) + 4, &count) ||
        entry_size < kDirectoryEntrySize)
        return result;
    uint64_t first = uint64_t(directory) + header_size;
    if (first > blob.size) return result;
    count = static_cast<uint32_t>(std::min<uint64_t>(count, (blob.size - first) / entry_size));
    result.reserve(count);
    for (uint32_t i = 0; i < count; ++i) {
        uint64_t at = first + uint64_t(i) * entry_size;
        Subsection s;
        uint32_t offset = 0, size = 0;
        GetU16(blob, at, &s.type);
        GetU16(blob, at + 2, &s.module);
        GetU32(blob, at + 4, &offset);
        GetU32(blob, at + 8, &size);
        s.bytes = SubRange(blob, offset, size);
        if (s.bytes.data) result.push_back(s);  // one reaching past the blob is skipped
    }
    return result;
}

void ReadModuleRecord(CodeViewReader& r, const Subsection& s) {
    DebugModule* module = r.Module(r.ModuleIndex(s.module));
    uint16_t segments;
    uint32_t offset = 0, size = 0;
    if (!module || !GetU16(s.bytes, 4, &segments) || segments == 0 || !GetU32(s.bytes, 12, &offset) ||
        !GetU32(s.bytes, 16, &size))
        return;
    GetCountedName(s.bytes, 8 + 12 * uint64_t(segments), &module->name);
    module->code_start = r.CodeAddress(offset);
    module->code_size = size;
    module->code_end = module->code_start + size;
}

void ReadSourceModule(CodeViewReader& r, const Subsection& s) {
    int32_t index = r.ModuleIndex(s.module);
    if (index < 0) {
        ShowError(FormatText("Incorrect module index %d", s.module));
        return;
    }
    DebugModule& module = r.image->modules[index];
    ByteRange b = s.bytes;
    uint16_t files, segments;
    uint32_t file, block, start, end;
    if (!GetU16(b, 0, &files) || files == 0 || !GetU32(b, 4, &file) || !GetU16(b, file, &segments) ||
        segments == 0)
        return;
    uint64_t pairs = uint64_t(file) + 4 + 4 * uint64_t(segments);
    if (!GetU32(b, uint64_t(file) + 4, &block) || !GetU32(b, pairs, &start) || !GetU32(b, pairs + 4, &end) ||
        start == end)
        return;
    std::string source;
    if (!GetCountedName(b, pairs + 8 * uint64_t(segments), &source)) return;
    uint16_t count;
    if (!GetU16(b, uint64_t(block) + 2, &count)) return;
    ByteRange offsets = SubRange(b, uint64_t(block) + 4, 4 * uint64_t(count));
    ByteRange numbers = SubRange(b, uint64_t(block) + 4 + 4 * uint64_t(count), 2 * uint64_t(count));
    if (!offsets.data || !numbers.data) return;
    module.source_file = source;
    module.line_block_offset = block;
    module.line_addresses.resize(count);
    module.line_numbers.resize(count);
    for (uint32_t i = 0; i < count; ++i) {
        uint32_t offset = 0;
        GetU32(offsets, 4 * i, &offset);
        module.line_addresses[i] = r.CodeAddress(offset);
        GetU16(numbers, 2 * i, &module.line_numbers[i]);
    }
}

DebugSymbol* NewSymbol(std::string name, uint16_t kind, uint16_t type, uint32_t address) {
    DebugSymbol* symbol = new DebugSymbol;
    symbol->name = std::move(name);
    symbol->kind = kind;
    symbol->type = type;
    symbol->address = address;
    return symbol;
}

void ReadDataSymbol(CodeViewReader& r, ByteRange record, uint16_t kind, DebugModule* owner) {
    uint32_t offset;
    uint16_t section, type;
    std::string name;
    if (!GetU32(record, 4, &offset) || !GetU16(record, 8, &section) || !GetU16(record, 10, &type) ||
        !GetCountedName(record, 12, &name))
        return;
    if (section == 0 || section > r.pe->sections.size()) return;  // no such section to relocate by
    if (kind == S_LDATA32 && !owner) return;
    uint32_t address = r.Base() + r.pe->sections[section - 1].virtual_address + offset;
    DebugSymbol* symbol = NewSymbol(std::move(name), kind, type, address);
    HashInsert(kind == S_LDATA32 ? &owner->statics : &r.image->facts.globals, symbol);
}

// The symbol record at `from` (length word, type, body) when it ends by `to`.
bool NextRecord(ByteRange sub, uint64_t from, uint64_t to, uint16_t* kind, uint64_t* next, ByteRange* record) {
    uint16_t length = 0;
    if (from + 4 > to || !GetU16(sub, from, &length) || !GetU16(sub, from + 2, kind)) return false;
    *next = from + 2 + length;
    if (length < 2 || *next > to) return false;
    *record = SubRange(sub, from, *next - from);
    return true;
}

void ReadLocals(ByteRange sub, uint64_t from, uint64_t to, DebugFunction* function) {
    uint16_t kind;
    uint64_t next;
    ByteRange record;
    while (NextRecord(sub, from, to, &kind, &next, &record)) {
        DebugLocal local;
        uint16_t reg;
        if (kind == S_REGISTER && GetU16(record, 4, &local.type) && GetU16(record, 6, &reg) &&
            GetCountedName(record, 8, &local.name)) {
            local.value = reg;
            local.flags = kLocalInRegister;
            function->locals.push_back(std::move(local));
        } else if (kind == S_BPREL32 && GetU32(record, 4, &local.value) && GetU16(record, 8, &local.type) &&
                   GetCountedName(record, 10, &local.name)) {
            function->locals.push_back(std::move(local));
        }
        from = next;
    }
}

void ReadProcedure(CodeViewReader& r, ByteRange sub, uint64_t at, uint64_t next, uint64_t limit, uint16_t kind,
                   DebugModule* owner) {
    ByteRange record = SubRange(sub, at, next - at);
    uint32_t end_offset, length, debug_start, debug_end, offset;
    std::string name;
    if (!owner || !GetU32(record, 8, &end_offset) || !GetU32(record, 16, &length) ||
        !GetU32(record, 20, &debug_start) || !GetU32(record, 24, &debug_end) || !GetU32(record, 28, &offset) ||
        !GetCountedName(record, 4 + 33, &name))
        return;
    DebugFunction* f = new DebugFunction;
    f->name = name;
    f->kind = kind;
    f->start = r.CodeAddress(offset);
    f->debug_start = f->start + debug_start;
    f->debug_end = f->start + debug_end;
    f->end = f->start + length;
    (owner->last_function ? owner->last_function->next : owner->functions) = f;
    owner->last_function = f;
    if (owner->function_count < UINT16_MAX) ++owner->function_count;
    DebugSymbol* symbol = NewSymbol(std::move(name), kind, kind, f->start);
    symbol->function = f;
    HashInsert(&r.image->facts.globals, symbol);
    ReadLocals(sub, next, std::min<uint64_t>(end_offset, limit), f);
}

void ReadStringConstant(ByteRange record, DebugModule* owner) {
    uint16_t type, leaf, length;
    if (!owner || !GetU16(record, 4, &type) || !GetU16(record, 6, &leaf) || leaf != LF_VARSTRING ||
        !GetU16(record, 8, &length) || !Fits(record, 10, length))
        return;
    std::string name;
    if (!GetCountedName(record, 10 + uint64_t(length), &name)) return;
    DebugSymbol* symbol = NewSymbol(std::move(name), kStringConstantKind, type, 0);
    symbol->text.assign(reinterpret_cast<const char*>(record.data + 10), length);
    HashInsert(&owner->constants, symbol);
}

// Walks the records in [from, to) of a subsection; offsets inside records (a procedure's
// end) are relative to the subsection's start.
void WalkSymbols(CodeViewReader& r, ByteRange sub, uint64_t from, uint64_t to) {
    DebugModule* owner = r.Module(r.owner);
    uint16_t kind;
    uint64_t next;
    ByteRange record;
    while (NextRecord(sub, from, to, &kind, &next, &record)) {
        switch (kind) {
        case S_LDATA32: case S_GDATA32: case S_PUB32:
            ReadDataSymbol(r, record, kind, owner);
            break;
        case S_LPROC32: case S_GPROC32:
            ReadProcedure(r, sub, from, next, to, kind, owner);
            break;
        case S_CONSTANT:
            ReadStringConstant(record, owner);
            break;
        case S_COMPILE: case S_UDT: case S_SSEARCH: case S_END: case S_OBJNAME: case S_BPREL32:
        case S_THUNK32: case S_BLOCK32: case S_LABEL32: case S_PROCREF: case S_DATAREF: case S_ALIGN:
            break;
        default:
            if (record.size - 2 > kLongestUnknownRecord) return;
        }
        from = next;
    }
}

void ReadGlobalTypes(CodeViewReader& r, ByteRange b) {
    uint32_t count;
    if (!GetU32(b, 4, &count) || !Fits(b, 8, 4 * uint64_t(count))) return;
    TypeTable& t = r.image->facts.types;
    t.count = count;
    t.offsets = b.data + 8;
    t.records = b.data + 8 + 4 * uint64_t(count);
    t.end = b.data + b.size;
}

void ReadSubsection(CodeViewReader& r, const Subsection& s) {
    uint32_t value;
    switch (s.type) {
    case sstModule:
        ReadModuleRecord(r, s);
        break;
    case sstAlignSym:
        r.owner = r.ModuleIndex(s.module);
        if (GetU32(s.bytes, 0, &value) && value == 1) WalkSymbols(r, s.bytes, 4, s.bytes.size);
        break;
    case sstSrcModule:
        ReadSourceModule(r, s);
        break;
    case sstGlobalSym: case sstStaticSym:
        if (GetU32(s.bytes, 4, &value)) WalkSymbols(r, s.bytes, 16, std::min<uint64_t>(16 + uint64_t(value), s.bytes.size));
        break;
    case sstGlobalTypes:
        ReadGlobalTypes(r, s.bytes);
        break;
    }
}

}  // namespace

bool ReadCodeView(DebugImage* image, const PeHeaders& pe, ByteRange blob) {
    std::vector<Subsection> directory = ReadDirectory(blob);
    if (directory.empty()) return false;
    CodeViewReader r{image, &pe};
    for (const Subsection& s : directory)
        if (s.type == sstSrcModule) r.new_modules = std::max<uint32_t>(r.new_modules, s.module);
    image->modules.resize(image->module_base + r.new_modules + 2);
    for (uint32_t i = 1; i <= r.new_modules; ++i) image->modules[image->module_base + i].index = image->module_base + i;
    image->highest_module = image->module_base + r.new_modules;
    for (const Subsection& s : directory) ReadSubsection(r, s);
    return true;
}
