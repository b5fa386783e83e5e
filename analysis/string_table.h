#pragma once
// The string-table generator: collects the string literals of a C file's function
// bodies and writes them as a resource string table or as a C array of strings.
#include <cstdint>
#include <string>
#include <vector>

#include "analysis/source_lines.h"

inline constexpr char kStringTableMarker[] = "/* Morla String Table */\n";

struct StringEntry {
    std::string text;  // without the quotes, escapes as written
    std::string name;  // prefix and number, "%s%05d"
    int32_t number = 0;
    int32_t column = 0;  // after the opening quote
    int32_t line = 0;    // 1-based line of the literal
    std::string file;    // the document's last path component
};

// The application-wide symbol prefix, "STR_" at first.
std::string& StringSymbolPrefix();

// Collects the literals inside function bodies, outside initialisers. False after
// reporting a malformed character constant (the collection ends there; `out` holds
// what came before).
bool CollectStrings(SourceLines text, const char* path, std::vector<StringEntry>* out);

// The symbol of string `number`: the prefix and the number, "%s%05d".
std::string StringSymbol(int32_t number);

// Numbers the entries from `first` in list order and names them with the prefix.
void RenumberStrings(std::vector<StringEntry>* list, int32_t first);

// "rc": the resource file `file_name` up to its first dot plus ".rc"; with names also
// the header (".h") of #defines. Appends to files of its own, continuing the numbers
// after the highest one there. False after reporting a failure.
bool WriteStringResource(const std::string& file_name, std::vector<StringEntry> list, bool with_names,
                         const char* document_path);

// "Table": a C array named `array_name`. Asks before adding to a file of its own
// (numbers continue after the highest one there) or destroying another file.
bool WriteStringArray(const std::string& file_name, std::vector<StringEntry> list, const char* array_name,
                      const char* document_path);
