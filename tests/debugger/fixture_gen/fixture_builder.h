#pragma once
// Hand assembly of i386 code with source lines, functions and locals recorded as it goes.
#include <initializer_list>

#include "tests/debugger/fixture_gen/fixture_image.h"

enum Reg : uint8_t { EAX = 0, ECX = 1, EDX = 2, EBX = 3 };

struct FixtureBuilder {
    FixtureImage* image;
    FixtureModule* module = nullptr;
    FixtureFunction* function = nullptr;

    uint32_t Here() const { return static_cast<uint32_t>(image->text.size()); }
    void Bytes(std::initializer_list<uint8_t> bytes) { image->text.insert(image->text.end(), bytes); }
    void U32(uint32_t v);
    void Fix(FixupKind kind, uint32_t value, const std::string& target = "");

    void BeginModule(const std::string& name, const std::string& source_file);
    void EndModule();
    uint16_t Source(const std::string& text);  // a line without code
    uint16_t Code(const std::string& text);    // a line whose code starts here
    void MarkLine(uint16_t line);              // more code for an earlier line

    void BeginFunction(const std::string& name, uint16_t kind = S_GPROC32, uint16_t type = 0);
    void Local(const std::string& name, int32_t offset, uint16_t type);
    void RegisterLocal(const std::string& name, uint16_t reg, uint16_t type);
    void Prologue(uint8_t frame_size);  // push ebp; mov ebp,esp; sub esp,n; then the body
    void Epilogue();                    // mov esp,ebp; pop ebp; ret
    void EndFunction();

    // Operations on [ebp + disp].
    void LoadEbp(Reg r, int8_t disp) { Bytes({0x8B, uint8_t(0x45 | r << 3), uint8_t(disp)}); }
    void StoreEbp(Reg r, int8_t disp) { Bytes({0x89, uint8_t(0x45 | r << 3), uint8_t(disp)}); }
    void AddToEbp(Reg r, int8_t disp) { Bytes({0x01, uint8_t(0x45 | r << 3), uint8_t(disp)}); }
    void AddFromEbp(Reg r, int8_t disp) { Bytes({0x03, uint8_t(0x45 | r << 3), uint8_t(disp)}); }
    void PushEbp(int8_t disp) { Bytes({0xFF, 0x75, uint8_t(disp)}); }
    void StoreImm(int8_t disp, uint32_t v) { Bytes({0xC7, 0x45, uint8_t(disp)}); U32(v); }
    void PushImm(uint8_t v) { Bytes({0x6A, v}); }
    void PushData(uint32_t offset) { Bytes({0x68}); Fix(FixupKind::Data, offset); }
    void LoadEaxData(uint32_t offset) { Bytes({0xA1}); Fix(FixupKind::Data, offset); }
    void StoreEaxData(uint32_t offset) { Bytes({0xA3}); Fix(FixupKind::Data, offset); }
    void AddEaxToData(uint32_t offset) { Bytes({0x01, 0x05}); Fix(FixupKind::Data, offset); }
    void IncData(uint32_t offset) { Bytes({0xFF, 0x05}); Fix(FixupKind::Data, offset); }
    void Call(const std::string& name) { Bytes({0xE8}); Fix(FixupKind::Call, 0, name); }
    void DropArgs(uint8_t bytes) { Bytes({0x83, 0xC4, bytes}); }

    // An import: the stub jumps through its IAT slot.
    void ImportStub(const std::string& dll, const std::string& function, const std::string& symbol);
    void AddData(FixtureData d, std::initializer_list<uint32_t> words);
};
