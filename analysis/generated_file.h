#pragma once
// Files the generators write: text with CR LF line ends, written through a temporary
// file that replaces the target only when complete.
#include <string>

// Writes `text` ("\n" line ends) with CR LF; reports a file that cannot be opened or
// written. On failure the old file is as it was.
bool WriteGeneratedFile(const std::string& name, const std::string& text);

enum class ReadResult { Read, Missing, Failed };
// Reads a whole file; a file that exists but cannot be read is reported.
ReadResult ReadExistingFile(const std::string& name, std::string* text);

// The name up to the first dot of its last path component, then `extension`.
std::string WithExtension(const std::string& name, const char* extension);
// The last path component.
std::string LastComponent(const std::string& path);
