// The CodeView 4 ("NB09") blob of a fixture: a module, align-symbols and source-module
// subsection per module, then the global symbols and the global types.
#include "tests/debugger/fixture_gen/byte_writer.h"
#include "tests/debugger/fixture_gen/fixture_image.h"

namespace {

struct Out : ByteWriter {
    void Align4() { Pad(4); }
    // A symbol record: its length word is filled in by End.
    uint32_t Begin(uint16_t type) { uint32_t at = Size(); U16(0); U16(type); return at; }
    void End(uint32_t at) { Put16(at, uint16_t(Size() - at - 2)); }
};

struct DirEntry {
    uint16_t type, module;
    uint32_t offset, size;
};

void DataRecord(Out& o, const FixtureData& d) {
    uint32_t r = o.Begin(d.kind);
    o.U32(d.offset);
    o.U16(d.section);
    o.U16(d.type);
    o.Name(d.name);
    o.End(r);
}

void Procedure(Out& o, const FixtureFunction& f, uint32_t subsection) {
    uint32_t r = o.Begin(f.kind);
    o.U32(0);                 // parent
    uint32_t end_at = o.Size();
    o.U32(0);                 // end, patched below
    o.U32(0);                 // next
    o.U32(f.end - f.start);
    o.U32(f.debug_start);
    o.U32(f.debug_end);
    o.U32(f.start);
    o.U16(1);
    o.U16(f.type);
    o.U8(0);
    o.Name(f.name);
    o.End(r);
    for (const FixtureLocal& l : f.locals) {
        uint32_t s = o.Begin(l.in_register ? S_REGISTER : S_BPREL32);
        if (l.in_register) {
            o.U16(l.type);
            o.U16(uint16_t(l.value));
        } else {
            o.U32(uint32_t(l.value));
            o.U16(l.type);
        }
        o.Name(l.name);
        o.End(s);
    }
    o.Put32(end_at, o.Size() - subsection);  // the S_END, from the subsection's start
    o.End(o.Begin(0x0006));  // S_END
}

void AlignSymbols(Out& o, const FixtureModule& m) {
    uint32_t subsection = o.Size();
    o.U32(1);
    uint32_t r = o.Begin(0x0009);  // S_OBJNAME: passed over
    o.U32(0);
    o.Name(m.name);
    o.End(r);
    r = o.Begin(0x1111);  // a record type the reader does not know
    for (int i = 0; i < 5; ++i) o.U32(0xDEADBEEF);
    o.End(r);
    for (const FixtureData& d : m.symbols) DataRecord(o, d);
    for (const FixtureConstant& c : m.constants) {
        r = o.Begin(0x0003);
        o.U16(T_32PRCHAR);
        o.U16(0x8010);
        o.U16(uint16_t(c.text.size()));
        o.b.insert(o.b.end(), c.text.begin(), c.text.end());
        o.Name(c.name);
        o.End(r);
    }
    for (const FixtureFunction& f : m.functions) Procedure(o, f, subsection);
}

// Offsets inside the subsection are relative to its start.
void SourceModule(Out& o, const FixtureModule& m) {
    uint32_t subsection = o.Size();
    o.U16(1);  // files
    o.U16(1);  // segments
    uint32_t file_at = o.Size();
    o.U32(0);
    o.U32(m.code_start);
    o.U32(m.code_end);
    o.U16(1);
    o.Align4();
    o.Put32(file_at, o.Size() - subsection);
    o.U16(1);
    o.U16(0);
    uint32_t block_at = o.Size();
    o.U32(0);
    o.U32(m.code_start);
    o.U32(m.code_end);
    o.Name(m.source_file);
    o.Align4();
    o.Put32(block_at, o.Size() - subsection);
    o.U16(1);
    o.U16(uint16_t(m.lines.size()));
    for (const FixtureLine& l : m.lines) o.U32(l.offset);
    for (const FixtureLine& l : m.lines) o.U16(l.line);
}

}  // namespace

std::vector<uint8_t> WriteCodeView(const FixtureImage& image) {
    Out o;
    o.b = {'N', 'B', '0', '9'};
    o.U32(0);
    std::vector<DirEntry> dir;
    auto sub = [&](uint16_t type, uint16_t module, auto&& write) {
        o.Align4();
        uint32_t start = o.Size();
        write();
        dir.push_back({type, module, start, o.Size() - start});
    };
    for (size_t i = 0; i < image.modules.size(); ++i) {
        const FixtureModule& m = image.modules[i];
        uint16_t index = uint16_t(i + 1);
        sub(0x120, index, [&] {
            o.U16(0);
            o.U16(0);
            o.U16(1);
            o.U8('C');
            o.U8('V');
            o.U16(1);
            o.U16(0);
            o.U32(m.code_start);
            o.U32(m.code_end - m.code_start);
            o.Name(m.name);
        });
        sub(0x125, index, [&] { AlignSymbols(o, m); });
        sub(0x127, index, [&] { SourceModule(o, m); });
    }
    sub(0x129, 0xFFFF, [&] {
        uint32_t header = o.Size();
        o.U16(0);
        o.U16(0);
        o.U32(0);
        o.U32(0);
        o.U32(0);
        for (const FixtureData& d : image.globals) DataRecord(o, d);
        for (const FixtureModule& m : image.modules)
            for (const FixtureData& d : m.late_statics) DataRecord(o, d);
        o.Put32(header + 4, o.Size() - header - 16);
    });
    sub(0x12B, 0xFFFF, [&] {
        o.U32(0x01000000);
        o.U32(uint32_t(image.types.size()));
        uint32_t offsets = o.Size();
        for (size_t i = 0; i < image.types.size(); ++i) o.U32(0);
        uint32_t first = o.Size();
        for (size_t i = 0; i < image.types.size(); ++i) {
            o.Put32(offsets + 4 * uint32_t(i), o.Size() - first);
            o.U16(uint16_t(image.types[i].size()));
            o.b.insert(o.b.end(), image.types[i].begin(), image.types[i].end());
        }
    });
    o.Align4();
    o.Put32(4, o.Size());
    o.U16(16);
    o.U16(12);
    o.U32(uint32_t(dir.size()));
    o.U32(0);
    o.U32(0);
    for (const DirEntry& e : dir) {
        o.U16(e.type);
        o.U16(e.module);
        o.U32(e.offset);
        o.U32(e.size);
    }
    return o.b;
}
