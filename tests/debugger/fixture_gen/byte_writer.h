#pragma once
// Little-endian output of the fixture's headers and records.
#include <cstdint>
#include <string>
#include <vector>

struct ByteWriter {
    std::vector<uint8_t> b;
    uint32_t Size() const { return static_cast<uint32_t>(b.size()); }
    void U8(uint8_t v) { b.push_back(v); }
    void U16(uint16_t v) { U8(uint8_t(v)); U8(uint8_t(v >> 8)); }
    void U32(uint32_t v) { U16(uint16_t(v)); U16(uint16_t(v >> 16)); }
    void Str(const std::string& s) { b.insert(b.end(), s.begin(), s.end()); U8(0); }    // NUL-terminated
    void Name(const std::string& s) { U8(uint8_t(s.size())); b.insert(b.end(), s.begin(), s.end()); }  // counted
    void Pad(uint32_t a) { while (b.size() % a) U8(0); }
    void Put16(uint32_t at, uint16_t v) { b[at] = uint8_t(v); b[at + 1] = uint8_t(v >> 8); }
    void Put32(uint32_t at, uint32_t v) { for (int i = 0; i < 4; ++i) b[at + i] = uint8_t(v >> (8 * i)); }
};
