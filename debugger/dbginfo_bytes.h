#pragma once
// Bounded little-endian reads: every offset and length taken from a file is checked
// against the bytes that really exist before anything is read.
#include <cstdint>
#include <cstring>
#include <string>

struct ByteRange {
    const uint8_t* data = nullptr;
    uint32_t size = 0;
};

inline bool Fits(ByteRange r, uint64_t offset, uint64_t length) {
    return offset <= r.size && length <= r.size - offset;
}

// The part [offset, offset + length); empty when it does not fit.
inline ByteRange SubRange(ByteRange r, uint64_t offset, uint64_t length) {
    if (!Fits(r, offset, length)) return {};
    return {r.data + offset, static_cast<uint32_t>(length)};
}

inline bool GetU8(ByteRange r, uint64_t offset, uint8_t* out) {
    if (!Fits(r, offset, 1)) return false;
    *out = r.data[offset];
    return true;
}

inline bool GetU16(ByteRange r, uint64_t offset, uint16_t* out) {
    if (!Fits(r, offset, 2)) return false;
    *out = static_cast<uint16_t>(r.data[offset] | r.data[offset + 1] << 8);
    return true;
}

inline bool GetU32(ByteRange r, uint64_t offset, uint32_t* out) {
    if (!Fits(r, offset, 4)) return false;
    const uint8_t* p = r.data + offset;
    *out = p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
    return true;
}

// A name preceded by its length byte.
inline bool GetCountedName(ByteRange r, uint64_t offset, std::string* out) {
    uint8_t length;
    if (!GetU8(r, offset, &length) || !Fits(r, offset + 1, length)) return false;
    out->assign(reinterpret_cast<const char*>(r.data + offset + 1), length);
    return true;
}

// A NUL-terminated name of at most max_length characters.
inline bool GetCString(ByteRange r, uint64_t offset, std::string* out, uint32_t max_length = 512) {
    if (offset >= r.size) return false;
    uint64_t room = r.size - offset;
    if (room > max_length + 1) room = max_length + 1;
    const void* nul = memchr(r.data + offset, 0, room);
    if (!nul) return false;
    out->assign(reinterpret_cast<const char*>(r.data + offset),
                static_cast<const uint8_t*>(nul) - (r.data + offset));
    return true;
}
