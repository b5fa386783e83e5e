#pragma once
// Export files (.prj): a header line, the project's key path, then one "name<TAB>text"
// line per value of its section.
#include <string>
#include <utility>
#include <vector>

inline constexpr const char* kPrjHeader = "Morla project file. Do NOT edit\n";
inline constexpr const char* kPrjKeyPrefix = "SOFTWARE\\rmc\\Morla\\";

struct PrjFile {
    std::string name;                                         // the project
    std::vector<std::pair<std::string, std::string>> values;  // in file order
};

// The values of the project section `name` as an export file's text; false (reported)
// when the section cannot be read.
bool ExportProjectText(const std::string& name, std::string& text);
// Writes "%s\%s.prj" (dir, name lower-cased) through a temporary file and reports the result.
bool ExportProject(const std::string& name, const std::string& dir, std::string* path = nullptr);

// Reads a whole export file. Rejects, with a clear message, a file that is not an export
// file, whose key is not "SOFTWARE\rmc\Morla\" with one valid project name, or that is
// truncated or damaged. `source` names the file in messages.
bool ParsePrjFile(const std::string& bytes, const std::string& source, PrjFile& prj);

// The values moved to `new_location` (upper-cased; its drive letter replaces the old one).
// The old drive is that of ProjectPath, else SourcesDir, wherever they stand in the file.
std::vector<std::pair<std::string, std::string>> RelocateValues(const PrjFile& prj, const std::string& new_location);

// Writes the relocated values into a new project section; refuses (reported) when a
// project of that name exists, so that nothing is overwritten.
bool ImportPrjFile(const PrjFile& prj, const std::string& new_location, const std::vector<std::string>& existing);
