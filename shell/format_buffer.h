#pragma once
#include <cstddef>

// The process-wide buffer in which every formatted message is built before it is shown.
inline constexpr size_t kFormatBufferSize = 32760;

// Formats into the shared buffer, truncating safely, and returns it. The result is valid
// until the next call.
char* FormatText(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Formats into a caller's buffer of the given size, truncating safely; returns dest.
char* FormatInto(char* dest, size_t size, const char* format, ...) __attribute__((format(printf, 3, 4)));
