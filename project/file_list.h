#pragma once
// The "Insert/delete files" list: the project's files and the words of its Libraries,
// what adding a file or a typed name does to it, and how OK gives them back.
#include <string>
#include <vector>

#include "project/project.h"

// The file types offered, as label and pattern pairs.
struct FileType {
    const char* label;
    const char* pattern;
};
extern const FileType kProjectFileTypes[];
inline constexpr int kProjectFileTypeCount = 9;

// `files` and then the words of `Libraries`.
std::vector<std::string> ProjectFileList(const Project& p);

// Adds the file at `path` (a directory and a name): upper-cased, by bare name when the
// directory is `current_dir`, else with it. A name already listed is skipped; one that
// shares a listed name without extension is added only when the user agrees. True when added.
bool AddToFileList(std::vector<std::string>& list, const std::string& path, const std::string& current_dir);

// A name typed into the file field, found against `where`. A "*" pattern must be one of
// the offered types: its index, or -1 (reported "Files of type %s not supported"). A
// ".lib" name without a backslash that is missing is offered from the compiler's lib
// directory. Returns the index of a pattern, -2 after adding or refusing a name.
int TypedFileName(std::vector<std::string>& list, const std::string& typed, const std::string& where,
                  const std::string& current_dir, const std::string& compiler_root,
                  bool (*exists)(const std::string& path));

// OK: false (reported "No files specified") for an empty list; otherwise the names that
// hold ".LIB" become Libraries (joined with blanks) and the others the files, in list order.
bool ApplyFileList(const std::vector<std::string>& list, Project& p);
