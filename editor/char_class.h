#pragma once
// Character tests shared by the searches. Bytes above 127 are taken as unsigned and
// are never letters.

inline bool IsIdentifierChar(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// Ignoring case compares the letters a-z as A-Z; nothing else is folded.
inline unsigned char UpperAscii(unsigned char c) { return (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c; }
inline unsigned char LowerAscii(unsigned char c) { return (c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c; }
inline bool IsAsciiLetter(unsigned char c) { return UpperAscii(c) != LowerAscii(c); }
