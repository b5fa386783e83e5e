#include "shell/format_buffer.h"

#include <cstdarg>
#include <cstdio>

namespace {
char g_format_buffer[kFormatBufferSize];
}

char* FormatText(const char* format, ...) {
    va_list args;
    va_start(args, format);
    vsnprintf(g_format_buffer, sizeof g_format_buffer, format, args);
    va_end(args);
    return g_format_buffer;
}

char* FormatInto(char* dest, size_t size, const char* format, ...) {
    if (size == 0) return dest;
    va_list args;
    va_start(args, format);
    vsnprintf(dest, size, format, args);
    va_end(args);
    return dest;
}
