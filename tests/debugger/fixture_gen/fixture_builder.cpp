#include "tests/debugger/fixture_gen/fixture_builder.h"

void FixtureBuilder::U32(uint32_t v) {
    for (int i = 0; i < 4; ++i) image->text.push_back(uint8_t(v >> (8 * i)));
}

void FixtureBuilder::Fix(FixupKind kind, uint32_t value, const std::string& target) {
    image->fixups.push_back({Here(), kind, target, value});
    U32(0);
}

void FixtureBuilder::BeginModule(const std::string& name, const std::string& source_file) {
    image->modules.push_back({});
    module = &image->modules.back();
    module->name = name;
    module->source_file = source_file;
    module->code_start = Here();
}

void FixtureBuilder::EndModule() { module->code_end = Here(); }

uint16_t FixtureBuilder::Source(const std::string& text) {
    module->source.push_back(text);
    return static_cast<uint16_t>(module->source.size());
}

uint16_t FixtureBuilder::Code(const std::string& text) {
    uint16_t line = Source(text);
    MarkLine(line);
    return line;
}

void FixtureBuilder::MarkLine(uint16_t line) { module->lines.push_back({Here(), line}); }

void FixtureBuilder::BeginFunction(const std::string& name, uint16_t kind, uint16_t type) {
    module->functions.push_back({});
    function = &module->functions.back();
    function->name = name;
    function->kind = kind;
    function->type = type;
    function->start = Here();
}

void FixtureBuilder::Local(const std::string& name, int32_t offset, uint16_t type) {
    function->locals.push_back({name, offset, type, false});
}

void FixtureBuilder::RegisterLocal(const std::string& name, uint16_t reg, uint16_t type) {
    function->locals.push_back({name, reg, type, true});
}

void FixtureBuilder::Prologue(uint8_t frame_size) {
    Bytes({0x55, 0x89, 0xE5});
    if (frame_size) Bytes({0x83, 0xEC, frame_size});
    function->debug_start = Here() - function->start;
}

void FixtureBuilder::Epilogue() {
    function->debug_end = Here() - function->start;
    Bytes({0x89, 0xEC, 0x5D, 0xC3});
}

void FixtureBuilder::EndFunction() { function->end = Here(); }

void FixtureBuilder::ImportStub(const std::string& dll, const std::string& name, const std::string& symbol) {
    uint32_t index = static_cast<uint32_t>(image->imports.size());
    image->imports.push_back({dll, name, symbol, Here()});
    Bytes({0xFF, 0x25});
    Fix(FixupKind::ImportSlot, index);
    Bytes({0xCC, 0xCC});  // keeps the next stub aligned
}

void FixtureBuilder::AddData(FixtureData d, std::initializer_list<uint32_t> words) {
    d.section = 2;
    d.offset = static_cast<uint32_t>(image->data.size());
    for (uint32_t w : words)
        for (int i = 0; i < 4; ++i) image->data.push_back(uint8_t(w >> (8 * i)));
    if (d.kind == S_LDATA32) module->symbols.push_back(d);
    else image->globals.push_back(d);
}
