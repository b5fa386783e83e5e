#pragma once
// Text forms of the configuration's composite values.
#include <string>
#include <vector>

#include "config/configuration.h"

// "%d,%d,%d,%d" (separator ',') or "%d %d %d %d" (separator ' '); parsing leaves `rect`
// unchanged unless all four numbers are there.
std::string FormatRect(const ConfigRect& rect, char separator);
bool ParseRect(const std::string& text, ConfigRect& rect);

// "%4d%4d%4d%4d": index, key, command, flags.
std::string FormatAccelerator(const AcceleratorChange& change);
bool ParseAccelerator(const std::string& text, AcceleratorChange& change);

// "%s %d %d %d %d %d": path, line, left, top, right, bottom.
std::string FormatOpenFile(const OpenFileEntry& entry);
bool ParseOpenFile(const std::string& text, OpenFileEntry& entry);

// A macro text as "%03d" codes, 21 bytes per line.
inline constexpr size_t kMacroBytesPerLine = 21;
std::vector<std::string> EncodeMacroLines(const std::string& text);
// Appends the bytes of one line to `text` until it holds `length` bytes; false when the
// line holds something other than codes.
bool DecodeMacroLine(const std::string& line, size_t length, std::string& text);

// Keywords seven to a value, separated by single blanks.
inline constexpr size_t kKeywordsPerValue = 7;
std::vector<std::string> PackKeywords(const std::vector<std::string>& keywords);
// Appends the keywords of one value until `keywords` holds `count`.
void UnpackKeywords(const std::string& value, size_t count, std::vector<std::string>& keywords);

// "%s@%d", split at the first '@'.
std::string FormatBreakpoint(const BreakpointSetting& breakpoint);
bool ParseBreakpoint(const std::string& text, BreakpointSetting& breakpoint);

// "%s#%s#%s", split at the first '#' and the next one after it; each part at most 400.
std::string FormatFileProcessor(const FileProcessorSetting& processor);
bool ParseFileProcessor(const std::string& text, FileProcessorSetting& processor);
