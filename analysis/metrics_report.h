#pragma once
// What the metrics windows show: the labelled values of one function's measures and
// the bars of the plot of all functions of a file.
#include <string>
#include <vector>

#include "analysis/metrics.h"

struct MetricsField {
    const char* label;
    std::string value;
};

// The values of the dialog "Morla code analysis", in its order ("%g"; the comment
// percentage with two decimals). The identifiers are listed separately.
std::vector<MetricsField> MetricsFields(const FunctionMetrics& m);

// The measures of every function that has them, in the order of the file.
std::vector<FunctionMetrics> MeasureFile(SourceLines text, const std::vector<FunctionRecord>& functions);

// The measures the file plot draws, one bar column each.
struct PlotMeasure {
    const char* label;
    double (*value)(const FunctionMetrics& m);
};
extern const PlotMeasure kPlotMeasures[];
extern const int kPlotMeasureCount;

// The largest value of measure `measure` over the functions (0 for none).
double LargestMeasure(const std::vector<FunctionMetrics>& all, int measure);
// A bar's length in pixels for `value` against the largest value filling `width`;
// 0 when the largest is 0 or less.
int BarLength(double value, double largest, int width);
