#pragma once
// The general walker over C source: global variables, the definition of a name, and
// the names that begin with a prefix. Names in #include files are not followed here.
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

// The globals at file level, in order, without duplicate names. `functions` is the
// document's function index (names in function headers are no globals).
std::vector<GlobalRecord> ListGlobals(SourceLines text, const char* path, const std::vector<FunctionRecord>& functions);

// The first place where `name` is declared or defined (#define included); false when
// it does not occur.
bool FindDefinition(SourceLines text, const char* path, const char* name, DefinitionRecord* out);

// Adds to `names` each different identifier that begins with `prefix` and is longer.
void CollectCompletions(SourceLines text, const char* prefix, std::vector<std::string>* names);
