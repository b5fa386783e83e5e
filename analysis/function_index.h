#pragma once
// The functions of one document, in order of appearance, as the scanners find them.
// Records hold 1-based line numbers (32 bits), never line pointers: a consumer checks
// that the index is current (rescanning after an edit) before it uses them.
#include <cstdint>
#include <string>
#include <vector>

#include "analysis/language.h"

struct NameTable;  // cross references

struct FunctionRecord {
    std::string name;           // for C it may contain "::"
    uint16_t hash = 0;          // KeywordHash(name)
    int32_t start_line = 0;     // where the declaration begins (C: the return type)
    int32_t start_column = 0;   // 0-based column of that beginning
    int32_t header_line = 0;    // the line holding the name (the function list jumps there)
    int32_t body_line = 0;      // where the body was recognised (C: the opening brace)
    int32_t end_line = 0;       // closing brace, END or end; 0 while unknown
    uint16_t nesting_level = 0; // Pascal: the begin/end depth at which the routine ended
    NameTable* callees = nullptr;  // cross reference; not owned here
    NameTable* callers = nullptr;
};

struct FunctionIndex {
    std::vector<FunctionRecord> functions;
    bool scanned = false;  // the list matches the text; cleared by any edit
};

// Runs the language's scanner over the text, replacing the list; sets `scanned`.
// Returns whether any function was found. A language without a scanner finds nothing.
bool ScanText(const Language& lang, SourceLines text, const char* path, FunctionIndex* index);

// The record with exactly this name, or null.
const FunctionRecord* FindFunction(const FunctionIndex& index, const char* name);

// The record whose lines, from its start line to its end line, hold line `line`
// (1-based); a record without an end extends to the next record's start. Null when
// none does.
const FunctionRecord* FunctionAtLine(const FunctionIndex& index, int32_t line);

// A new record with its hash set.
FunctionRecord MakeFunctionRecord(const char* name, int length);
