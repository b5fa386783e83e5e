// Lays out a fixture as a PE image the way the suite's linker does: code at RVA 0x1000,
// fixed base without relocations, sections .text .data .rdata .idata, the CodeView blob
// and the COFF symbol table behind the last section.
#include <algorithm>
#include <map>

#include "tests/debugger/fixture_gen/byte_writer.h"
#include "tests/debugger/fixture_gen/fixture_image.h"

namespace {

constexpr uint32_t kSectionAlign = 0x1000, kFileAlign = 0x200, kHeaderSize = 0x400;
constexpr uint32_t kDebugMisc = 4, kDebugCodeView = 2;

uint32_t Align(uint32_t v, uint32_t a) { return (v + a - 1) / a * a; }

using Bytes = ByteWriter;

struct Section {
    Section(const char* n, uint32_t c) : name(n), characteristics(c) {}
    const char* name;
    uint32_t characteristics;
    Bytes bytes;
    uint32_t rva = 0, raw = 0;
};

// The debug directory (misc name record, CodeView) with the CodeView pointer left to patch.
uint32_t DebugDirectory(Bytes& out, uint32_t rva, const FixtureImage& image, uint32_t codeview_size) {
    uint32_t misc = out.Size() + 2 * 28;
    auto entry = [&](uint32_t type, uint32_t size, uint32_t address, uint32_t pointer) {
        out.U32(0); out.U32(0); out.U16(0); out.U16(0);
        out.U32(type); out.U32(size); out.U32(address); out.U32(pointer);
    };
    uint32_t misc_size = Align(12 + uint32_t(image.file_name.size()) + 1, 4);
    entry(kDebugMisc, misc_size, rva + misc, 0);  // pointer patched with the section's
    entry(kDebugCodeView, codeview_size, 0, 0);
    out.U32(1);
    out.U32(misc_size);
    out.U32(0);
    out.Str(image.file_name);
    out.Pad(4);
    return misc;
}

void Exports(Bytes& out, uint32_t rva, const FixtureImage& image, uint32_t* directory_rva, uint32_t* size) {
    std::vector<std::pair<std::string, uint32_t>> sorted = image.exports;
    std::sort(sorted.begin(), sorted.end());
    uint32_t start = out.Size(), n = uint32_t(sorted.size());
    uint32_t functions = start + 40, names = functions + 4 * n, ordinals = names + 4 * n;
    uint32_t strings = ordinals + 2 * n;
    out.U32(0); out.U32(0); out.U16(0); out.U16(0);
    out.U32(rva + strings);  // the DLL's name comes first among the strings
    out.U32(1); out.U32(n); out.U32(n);
    out.U32(rva + functions); out.U32(rva + names); out.U32(rva + ordinals);
    for (auto& e : sorted) out.U32(image.CodeAddress(e.second) - image.base);
    uint32_t name_at = strings + uint32_t(image.file_name.size()) + 1;
    for (auto& e : sorted) {
        out.U32(rva + name_at);
        name_at += uint32_t(e.first.size()) + 1;
    }
    for (uint32_t i = 0; i < n; ++i) out.U16(uint16_t(i));
    out.Str(image.file_name);
    for (auto& e : sorted) out.Str(e.first);
    out.Pad(4);
    *directory_rva = rva + start;
    *size = out.Size() - start;
}

// The imported DLLs in the order of their first import.
std::vector<std::string> ImportDlls(const FixtureImage& image) {
    std::vector<std::string> dlls;
    for (const FixtureImport& i : image.imports)
        if (std::find(dlls.begin(), dlls.end(), i.dll) == dlls.end()) dlls.push_back(i.dll);
    return dlls;
}

uint32_t ImportDescriptorsSize(const FixtureImage& image) { return 20 * uint32_t(ImportDlls(image).size() + 1); }

// Import descriptors, lookup and address tables, names; returns each import's slot RVA.
std::vector<uint32_t> Imports(Bytes& out, uint32_t rva, const FixtureImage& image) {
    std::vector<std::string> dlls = ImportDlls(image);
    std::vector<uint32_t> slots(image.imports.size());
    uint32_t tables = 20 * uint32_t(dlls.size() + 1);
    out.b.resize(tables);
    for (size_t d = 0; d < dlls.size(); ++d) {
        std::vector<size_t> members;
        for (size_t i = 0; i < image.imports.size(); ++i)
            if (image.imports[i].dll == dlls[d]) members.push_back(i);
        uint32_t lookup = out.Size(), count = uint32_t(members.size());
        uint32_t iat = lookup + 4 * (count + 1);
        out.b.resize(iat + 4 * (count + 1));
        for (uint32_t k = 0; k < count; ++k) {
            uint32_t hint = out.Size();
            out.U16(0);
            out.Str(image.imports[members[k]].function);
            out.Pad(2);
            out.Put32(lookup + 4 * k, rva + hint);
            out.Put32(iat + 4 * k, rva + hint);
            slots[members[k]] = rva + iat + 4 * k;
        }
        uint32_t name = out.Size();
        out.Str(dlls[d]);
        out.Pad(4);
        uint32_t desc = 20 * uint32_t(d);
        out.Put32(desc, rva + lookup);
        out.Put32(desc + 12, rva + name);
        out.Put32(desc + 16, rva + iat);
    }
    return slots;
}

void CoffSymbols(FixtureImage* image) {
    image->coff.clear();
    image->coff.push_back({".text", 0x1000, 1, 3, 1});
    for (const FixtureModule& m : image->modules)
        for (const FixtureFunction& f : m.functions)
            image->coff.push_back({f.name, 0x1000 + f.start, 1, uint8_t(f.kind == S_LPROC32 ? 3 : 2), 0});
    for (auto& l : image->labels) image->coff.push_back({l.first, 0x1000 + l.second, 1, 2, 0});
    for (const FixtureImport& i : image->imports) image->coff.push_back({i.stub_symbol, 0x1000 + i.stub, 1, 2, 0});
    for (const FixtureData& d : image->globals) image->coff.push_back({d.name, image->data_rva + d.offset, 2, 2, 0});
}

void WriteCoff(Bytes& out, const FixtureImage& image) {
    Bytes strings;
    strings.U32(0);
    for (const FixtureCoffSymbol& s : image.coff) {
        if (s.name.size() <= 8) {
            std::string n = s.name;
            n.resize(8, '\0');
            out.b.insert(out.b.end(), n.begin(), n.end());
        } else {
            out.U32(0);
            out.U32(strings.Size());
            strings.Str(s.name);
        }
        out.U32(s.value);
        out.U16(uint16_t(s.section));
        out.U16(s.section == 1 ? 0x20 : 0);
        out.U8(s.storage_class);
        out.U8(s.aux_records);
        for (int a = 0; a < s.aux_records; ++a)
            for (int k = 0; k < 18; ++k) out.U8(0);
    }
    strings.Put32(0, strings.Size());
    out.b.insert(out.b.end(), strings.b.begin(), strings.b.end());
}

}  // namespace

std::vector<uint8_t> WritePeImage(FixtureImage* image) {
    std::vector<Section> sections;
    sections.emplace_back(".text", 0x60000020);
    sections.emplace_back(".data", 0xC0000040);
    sections.emplace_back(".rdata", 0x40000040);
    if (!image->imports.empty()) sections.emplace_back(".idata", 0xC0000040);
    if (image->debug_section) sections.emplace_back(".debug", 0x42000040);
    Section& text = sections[0];
    Section& data = sections[1];
    Section& rdata = sections[2];
    Section* idata = image->imports.empty() ? nullptr : &sections[3];
    Section* debug = image->debug_section ? &sections.back() : nullptr;

    text.rva = 0x1000;
    data.rva = Align(text.rva + std::max<uint32_t>(1, uint32_t(image->text.size())), kSectionAlign);
    data.bytes.b = image->data;
    if (data.bytes.b.empty()) data.bytes.U32(0);
    rdata.rva = Align(data.rva + data.bytes.Size(), kSectionAlign);
    image->data_rva = data.rva;
    image->rdata_rva = rdata.rva;

    std::vector<uint8_t> codeview = WriteCodeView(*image);
    Section& directory_home = debug ? *debug : rdata;
    uint32_t export_rva = 0, export_size = 0;
    uint32_t misc = 0;
    if (!debug) misc = DebugDirectory(rdata.bytes, rdata.rva, *image, uint32_t(codeview.size()));
    if (image->dll) Exports(rdata.bytes, rdata.rva, *image, &export_rva, &export_size);
    if (rdata.bytes.b.empty()) rdata.bytes.U32(0);
    uint32_t next_rva = Align(rdata.rva + rdata.bytes.Size(), kSectionAlign);
    std::vector<uint32_t> slots;
    if (idata) {
        idata->rva = next_rva;
        image->idata_rva = idata->rva;
        slots = Imports(idata->bytes, idata->rva, *image);
        next_rva = Align(idata->rva + idata->bytes.Size(), kSectionAlign);
    }
    if (debug) {
        debug->rva = next_rva;
        misc = DebugDirectory(debug->bytes, debug->rva, *image, uint32_t(codeview.size()));
        next_rva = Align(debug->rva + debug->bytes.Size(), kSectionAlign);
    }
    CoffSymbols(image);

    // Fixups, now that every address is known.
    std::map<std::string, uint32_t> code;
    for (const FixtureModule& m : image->modules)
        for (const FixtureFunction& f : m.functions) code[f.name] = f.start;
    for (auto& l : image->labels) code[l.first] = l.second;
    for (const FixtureImport& i : image->imports) code[i.stub_symbol] = i.stub;
    text.bytes.b = image->text;
    for (const Fixup& f : image->fixups) {
        uint32_t v = 0;
        if (f.kind == FixupKind::Call) v = code.at(f.target) - (f.at + 4);
        if (f.kind == FixupKind::Data) v = image->DataAddress(f.value);
        if (f.kind == FixupKind::ImportSlot) v = image->base + slots[f.value];
        text.bytes.Put32(f.at, v);
    }
    if (text.bytes.b.empty()) text.bytes.U8(0xC3);

    uint32_t raw = kHeaderSize;
    for (Section& s : sections) {
        s.raw = raw;
        raw += Align(s.bytes.Size(), kFileAlign);
    }
    uint32_t codeview_at = raw;
    uint32_t symbols_at = codeview_at + uint32_t(codeview.size());
    directory_home.bytes.Put32(misc - 2 * 28 + 24, directory_home.raw + misc);
    directory_home.bytes.Put32(misc - 28 + 24, codeview_at);

    uint32_t symbol_count = 0;
    for (const FixtureCoffSymbol& s : image->coff) symbol_count += 1 + s.aux_records;

    Bytes file;
    file.b.resize(kHeaderSize);
    file.b[0] = 'M';
    file.b[1] = 'Z';
    file.Put32(0x3C, 0x80);
    Bytes h;
    h.U32(0x00004550);
    h.U16(0x14C);
    h.U16(uint16_t(sections.size()));
    h.U32(0);
    h.U32(image->coff_symbols ? symbols_at : 0);
    h.U32(image->coff_symbols ? symbol_count : 0);
    h.U16(224);
    h.U16(image->dll ? 0x2103 : 0x0103);  // relocations stripped, executable, 32-bit
    uint32_t init_size = 0;
    for (size_t i = 1; i < sections.size(); ++i) init_size += Align(sections[i].bytes.Size(), kFileAlign);
    h.U16(0x10B);
    h.U8(2); h.U8(50);
    h.U32(Align(text.bytes.Size(), kFileAlign));
    h.U32(init_size);
    h.U32(0);
    h.U32(0x1000 + image->entry);
    h.U32(text.rva);
    h.U32(data.rva);
    h.U32(image->base);
    h.U32(kSectionAlign);
    h.U32(kFileAlign);
    h.U16(4); h.U16(0); h.U16(0); h.U16(0); h.U16(4); h.U16(0);
    h.U32(0);
    h.U32(next_rva);  // size of image
    h.U32(kHeaderSize);
    h.U32(0);
    h.U16(3);  // console
    h.U16(0);  // no dynamic base
    h.U32(0x100000); h.U32(0x1000); h.U32(0x100000); h.U32(0x1000);
    h.U32(0);
    h.U32(16);
    uint32_t dirs[16][2] = {};
    dirs[0][0] = export_rva;
    dirs[0][1] = export_size;
    if (idata) {
        dirs[1][0] = idata->rva;
        dirs[1][1] = slots.empty() ? 0 : ImportDescriptorsSize(*image);
    }
    dirs[6][0] = directory_home.rva + misc - 2 * 28;
    dirs[6][1] = debug ? 2 : 2 * 28;  // a ".debug" directory's size counts entries
    for (auto& d : dirs) { h.U32(d[0]); h.U32(d[1]); }
    for (Section& s : sections) {
        std::string n = s.name;
        n.resize(8, '\0');
        h.b.insert(h.b.end(), n.begin(), n.end());
        h.U32(s.bytes.Size());
        h.U32(s.rva);
        h.U32(Align(s.bytes.Size(), kFileAlign));
        h.U32(s.raw);
        h.U32(0); h.U32(0); h.U16(0); h.U16(0);
        h.U32(s.characteristics);
    }
    std::copy(h.b.begin(), h.b.end(), file.b.begin() + 0x80);
    for (Section& s : sections) {
        file.b.resize(s.raw);
        file.b.insert(file.b.end(), s.bytes.b.begin(), s.bytes.b.end());
    }
    file.b.resize(codeview_at);
    file.b.insert(file.b.end(), codeview.begin(), codeview.end());
    if (image->coff_symbols) WriteCoff(file, *image);
    return file.b;
}
