#include "analysis/metrics_report.h"

#include <algorithm>

#include "shell/format_buffer.h"

namespace {

std::string Number(double v) { return FormatText("%g", v); }

}  // namespace

std::vector<MetricsField> MetricsFields(const FunctionMetrics& m) {
    return {
        {"Lines:", Number(m.lines)},
        {"Characters :", Number(m.characters)},
        {"Operands :", Number(m.distinct_operands)},
        {"Operators :", Number(m.OperatorKindsUsed())},
        {"References :", Number(m.references)},
        {"Control operators", Number(m.control_operators)},
        {"Total operands :", Number(m.total_operands)},
        {"Total operators :", Number(m.total_operators)},
        {"Expressions :", Number(m.expressions)},
        {"Length:", Number(m.length)},
        {"Volume :", Number(m.volume)},
        {"Level:", Number(m.level)},
        {"Density", Number(m.density)},
        {"Comments (%) :", FormatText("%.2f", m.comment_percentage)},
        {"Gotos :", Number(m.gotos)},
        {"Maximal depth :", Number(m.max_depth)},
    };
}

std::vector<FunctionMetrics> MeasureFile(SourceLines text, const std::vector<FunctionRecord>& functions) {
    std::vector<FunctionMetrics> all;
    for (const FunctionRecord& f : functions) {
        FunctionMetrics m;
        if (MeasureFunction(text, f, false, &m)) all.push_back(std::move(m));
    }
    return all;
}

const PlotMeasure kPlotMeasures[] = {
    {"Lines", [](const FunctionMetrics& m) { return static_cast<double>(m.lines); }},
    {"Control operators", [](const FunctionMetrics& m) { return static_cast<double>(m.control_operators); }},
    {"Volume", [](const FunctionMetrics& m) { return m.volume; }},
    {"Maximal depth", [](const FunctionMetrics& m) { return static_cast<double>(m.max_depth); }},
    {"Comments (%)", [](const FunctionMetrics& m) { return m.comment_percentage; }},
};
const int kPlotMeasureCount = static_cast<int>(sizeof kPlotMeasures / sizeof kPlotMeasures[0]);

double LargestMeasure(const std::vector<FunctionMetrics>& all, int measure) {
    double largest = 0;
    for (const FunctionMetrics& m : all) largest = std::max(largest, kPlotMeasures[measure].value(m));
    return largest;
}

int BarLength(double value, double largest, int width) {
    if (largest <= 0 || value <= 0) return 0;
    return static_cast<int>(std::min(value, largest) / largest * width + 0.5);
}
