#pragma once
// The general walker over C source: global variables, the definition of a name, and
// the names that begin with a prefix, following #include files when asked.
#include <cstdint>
#include <string>
#include <vector>

#include "analysis/function_index.h"

struct GlobalRecord {
    std::string name;
    int32_t line = 0;    // 1-based
    int32_t column = 0;  // where the name ends
    std::string text;    // the whole line
    std::string path;
};

struct DefinitionRecord {
    std::string name;
    uint16_t hash = 0;
    int32_t line = 0;  // 1-based
    std::string path;
    std::string text;  // the line with the lines before and after it, joined by CR LF
};

// Which #include files the walker reads: "name" ones, <name> ones, searched in each
// directory in turn and finally in the current directory. Each file is read once.
struct IncludeSearch {
    bool quoted = false;
    bool angled = false;
    std::vector<std::string> directories;
};

// The globals at file level, in order, without duplicate names. `functions` is the
// document's function index (names in function headers are no globals).
std::vector<GlobalRecord> ListGlobals(SourceLines text, const char* path, const std::vector<FunctionRecord>& functions,
                                      const IncludeSearch& includes = IncludeSearch());

// The first place where `name` is declared or defined (#define included); false when
// it does not occur.
bool FindDefinition(SourceLines text, const char* path, const char* name, DefinitionRecord* out,
                    const IncludeSearch& includes = IncludeSearch());

// Adds to `names` each different identifier that begins with `prefix` and is longer.
void CollectCompletions(SourceLines text, const char* prefix, std::vector<std::string>* names,
                        const IncludeSearch& includes = IncludeSearch());

// Where an included name is found: the first directory (then the current one) that
// holds it, or an empty string.
std::string ResolveInclude(const std::string& name, const IncludeSearch& includes);
