#pragma once
// The header of prototypes for all functions of a C file.
#include <string>
#include <vector>

#include "analysis/function_index.h"

enum : unsigned { kPrototypesIgnoreStatic = 1, kPrototypesLoadIntoEditor = 2 };
inline constexpr int kMaxStaticWordLength = 31;

// One function's declaration split into the words before its parameter list and the
// words of each parameter (blank-separated as written; comments dropped).
struct DeclarationWords {
    std::vector<std::string> head;
    std::vector<std::vector<std::string>> parameters;  // none for "()" and "(void)"
};
DeclarationWords SplitDeclaration(SourceLines text, const FunctionRecord& f);

// The prototype line: "int f (int a ,char *b );\n".
std::string PrototypeLine(const DeclarationWords& d);

// Writes the header to `output_file` (replacing it; the caller has confirmed) with
// `generated_at` as the date in its first line. Returns the number of functions
// examined, or -1 after reporting a bad name or a file that cannot be written.
int WritePrototypes(SourceLines text, const std::vector<FunctionRecord>& functions, const char* document_path,
                    const char* output_file, unsigned options, const char* static_word, const char* generated_at);

// The current local date and time as the generators print it.
std::string CurrentDateTimeText();
