#pragma once
// Files as CMS sees them: read and written in text mode (a CR LF pair on disk is one line
// break in memory), split into lines that end at LF. The differencer, the archive reader
// and the application of edit scripts all use this one line model.
#include <string>
#include <string_view>
#include <vector>

using LineList = std::vector<std::string_view>;

// Reads the whole file, turning CR LF into LF. False when it cannot be read (no report).
bool ReadTextFile(const std::string& path, std::string& text);
bool ReadFileBytes(const std::string& path, std::string& bytes);

// Each line keeps its LF; a last line without one is a line too. Views point into text.
LineList SplitLines(std::string_view text);

std::string JoinLines(const LineList& lines);

// Text with every LF written as CR LF.
std::string ToDiskText(std::string_view text);

// Writes text (LF turned into CR LF) to a temporary file beside target, flushes it to the
// disk and renames it over target. The old file stays whole on any failure; false then,
// with the failing step's message in error. When only the rename fails and kept_temp is
// given, the complete temporary file is kept and its name stored there.
bool ReplaceFileAtomically(const std::string& target, std::string_view text, std::string& error,
                           std::string* kept_temp = nullptr);

// The same for bytes written as they are.
bool ReplaceFileBytes(const std::string& target, std::string_view bytes, std::string& error,
                      std::string* kept_temp = nullptr);

// Writes the bytes and flushes them to the disk before closing.
bool WriteDurableFile(const std::string& path, std::string_view bytes);

bool FileExists(const std::string& path);
std::string JoinPath(const std::string& dir, const std::string& name);
std::string FileNamePart(const std::string& path);
std::string DirectoryPart(const std::string& path);  // "" when none
