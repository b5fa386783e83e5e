#pragma once
// Source text for the analysis tests: from a fixture file or from inline lines.
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/function_index.h"
#include "analysis/source_lines.h"

struct TestSource {
    std::vector<std::string> lines;
    std::vector<LineView> views;

    explicit TestSource(std::vector<std::string> l) : lines(std::move(l)), views(ViewLines(lines)) {}
    SourceLines Source() const { return AsSource(views); }
};

inline std::string FixturePath(const char* name) {
    return std::string(MORLA_SOURCE_DIR) + "/tests/analysis/fixtures/" + name;
}

inline std::string ReadWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

inline TestSource FixtureSource(const char* name) { return TestSource(SplitLines(ReadWhole(FixturePath(name)))); }

// Scans with the language of `file_name`.
inline FunctionIndex ScanAs(const char* file_name, const TestSource& src) {
    FunctionIndex index;
    ScanText(*LanguageForFileName(file_name), src.Source(), file_name, &index);
    return index;
}
