#pragma once
// Moving between the functions of a document and taking the word the definition
// lookup starts from.
#include <cstdint>
#include <string>

#include "analysis/function_index.h"

// The first function whose name line comes after `line`, or null.
const FunctionRecord* NextFunction(const FunctionIndex& index, int32_t line);
// The last function whose name line comes before `line` (inside a function: its own
// name line first), or null.
const FunctionRecord* PreviousFunction(const FunctionIndex& index, int32_t line);

// The word at `column` of a line: the identifier under it (or just before it, when
// the caret stands after a word); otherwise the run of other non-blank characters
// there, so that the caller can say it is no identifier; empty on a blank.
std::string WordAt(const char* text, int32_t length, int32_t column);

// Whether the identifier at `column` is followed, after blanks and tabs, by '('.
bool CalledAt(const char* text, int32_t length, int32_t column);
