#pragma once
// Code metrics of one C function: Halstead's measures, decisions, comment ratio and
// nesting depth.
#include <cstdint>
#include <set>
#include <string>

#include "analysis/function_index.h"

inline constexpr int kOperatorKinds = 38;
// The operator kinds in counting order ("*" twice: multiplication, then indirection).
extern const char* const kOperatorNames[kOperatorKinds];
enum : int { kOperatorMultiply = 32, kOperatorIndirection = 34 };

struct FunctionMetrics {
    std::string name;
    uint32_t operator_counts[kOperatorKinds] = {};
    int32_t lines = 0;
    int32_t total_operands = 0;     // N2
    int32_t distinct_operands = 0;  // eta2
    int32_t total_operators = 0;    // N1 (operators and keywords)
    int32_t expressions = 0;        // ';'
    int32_t references = 0;
    int32_t max_depth = 0;
    int32_t gotos = 0;
    int32_t control_operators = 0;  // decisions: the cyclomatic complexity
    int32_t characters = 0;
    int32_t comment_characters = 0;
    std::set<std::string> identifiers;
    double length = 0, volume = 0, comment_percentage = 0, level = 0, density = 0;

    int32_t OperatorKindsUsed() const;  // eta1
};

// Measures the function (which needs an end line). A function without characters has
// no metrics: false, and with `report_empty` the error "Empty function/file <name>".
bool MeasureFunction(SourceLines text, const FunctionRecord& f, bool report_empty, FunctionMetrics* out);
