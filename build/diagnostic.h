#pragma once
// One compiler message read from a line of the build's message file.
#include <optional>
#include <string>

struct Diagnostic {
    int line = 0;       // at least 1
    std::string file;   // upper-cased
    std::string text;   // as shown to the user
};

// Parses "Warning|Error|CPP file: line message" (the file made absolute against
// `current_dir`) and "file(line) : warning|error code: message"; none for any other line.
std::optional<Diagnostic> ParseDiagnostic(const std::string& text, const std::string& current_dir);
