#pragma once
// The ten most recently closed file names, most recent first, and how the File menu
// shows the first four of them.
#include <string>

inline constexpr int kRecentFilesMax = 10;
inline constexpr int kRecentFilesShown = 4;

// Puts the name first; an older entry of the same name (compared without case) goes,
// and beyond ten the oldest is dropped.
void NoteClosedFile(const char* name);
int RecentFileCount();
const char* RecentFile(int index);  // 0 is the most recent; "" beyond the list

// The menu text of a name: lower-cased, under the working directory ("%s\%s") when it
// has no backslash, and longer than 35 characters shortened to its first three
// characters, "..." and its last path component.
std::string RecentMenuText(const std::string& name, const std::string& working_directory);
