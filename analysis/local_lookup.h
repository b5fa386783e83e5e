#pragma once
// Where a name is declared inside one C function: among its parameters or among the
// variables its body declares.
#include <cstdint>
#include <string>

#include "analysis/function_index.h"

enum class LocalKind { None, Argument, Local };

struct LocalDeclaration {
    LocalKind kind = LocalKind::None;
    int32_t line = 0;  // 1-based line of the declaration
};

// A parameter of that name first; then the first declaration statement of the body
// (one that begins with a type keyword, or with a type name followed by a name or
// '*') that declares it, initialisers not counted.
LocalDeclaration FindLocalDeclaration(SourceLines text, const FunctionRecord& f, const std::string& name);
