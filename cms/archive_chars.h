#pragma once
// Character classes of the archive lexer; only seven-bit characters are classified.
#include <cstring>

inline bool IsArchiveDigit(int c) { return c >= '0' && c <= '9'; }
inline bool IsArchiveLetter(int c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
inline bool IsArchiveIdChar(int c) { return c != 0 && strchr("!\"#%&'()*+-/<=>?[\\]^_{}~|`", c) != nullptr; }
