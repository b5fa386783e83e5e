#pragma once
// The quick check of brackets, strings, character constants and conditional
// compilation that runs when C source is saved. It stops at the first problem.
#include <string>

#include "analysis/source_lines.h"

// True when nothing was found; otherwise false with the report in *message (the
// caller shows it, followed by "\nSave?" when saving). `path` names the document.
bool CheckSyntax(SourceLines text, const char* path, std::string* message);
