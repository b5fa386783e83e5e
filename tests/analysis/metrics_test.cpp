#include <gtest/gtest.h>

#include "analysis/metrics.h"
#include "analysis/metrics_report.h"
#include "tests/analysis/analysis_fixture.h"
#include "tests/support/recorded_reports.h"

namespace {

TEST(Metrics, CountsOperatorsOperandsAndDecisions) {
    TestSource src({
        "/* Sums. */",
        "int sum(const float *p, int n)",
        "{",
        "    float total = 0; // running",
        "    for (int i = 0; i < n; i++) {",
        "        if (p[i] > 0) total = total + p[i] * 2;",
        "        else goto out;",
        "    }",
        "out:",
        "    return (int)total * *p;",
        "}",
    });
    FunctionIndex index = ScanAs("m.c", src);
    ASSERT_EQ(index.functions.size(), 1u);
    FunctionMetrics m;
    ASSERT_TRUE(MeasureFunction(src.Source(), index.functions[0], false, &m));
    EXPECT_EQ(m.name, "sum");
    EXPECT_EQ(m.lines, 10);  // the comment line and the nine body lines
    // for, if, else, goto, return; not float or const.
    EXPECT_EQ(m.control_operators, 5);
    EXPECT_EQ(m.gotos, 1);
    EXPECT_EQ(m.max_depth, 2);
    EXPECT_EQ(m.expressions, 6);
    EXPECT_EQ(m.operator_counts[kOperatorMultiply], 2);     // p[i] * 2 and (int)total * ...
    EXPECT_EQ(m.operator_counts[kOperatorIndirection], 1);  // *p
    EXPECT_EQ(m.identifiers, (std::set<std::string>{"total", "i", "n", "p", "out"}));
    EXPECT_EQ(m.comment_characters, 11 + 10);  // the block above and "// running"
    EXPECT_GT(m.volume, 0);
    EXPECT_GT(m.level, 0);
    EXPECT_DOUBLE_EQ(m.length, m.total_operators + m.total_operands);
}

TEST(Metrics, DegenerateFunctionsNeverDivideByZero) {
    RecordedReports reports;
    TestSource src({"void e(void) {", "}", "void k(void)", "{ ; }"});
    FunctionIndex index = ScanAs("m.c", src);
    ASSERT_EQ(index.functions.size(), 2u);
    FunctionMetrics m;
    ASSERT_TRUE(MeasureFunction(src.Source(), index.functions[1], true, &m));
    EXPECT_EQ(m.total_operands, 0);
    EXPECT_EQ(m.level, 0);
    EXPECT_EQ(m.density, 0);
    EXPECT_EQ(m.volume, 0);

    TestSource empty({"", "", ""});
    FunctionRecord f = MakeFunctionRecord("ghost", 5);
    f.start_line = f.body_line = 2;
    f.end_line = 3;
    EXPECT_FALSE(MeasureFunction(empty.Source(), f, true, &m));
    ASSERT_EQ(reports.errors.size(), 1u);
    EXPECT_EQ(reports.errors[0], "Empty function/file ghost");

    f.end_line = 0;  // no end: nothing is measured
    EXPECT_FALSE(MeasureFunction(src.Source(), f, true, &m));
    f.end_line = 99;  // stale record beyond the text
    EXPECT_FALSE(MeasureFunction(src.Source(), f, true, &m));
}

TEST(MetricsReport, FieldsInTheDialogsOrderAndFormats) {
    TestSource src({
        "int f(int a)",
        "{",
        "    /* half of it is comment */",
        "    if (a) return a * 3;",
        "    return 0;",
        "}",
    });
    FunctionIndex index = ScanAs("m.c", src);
    FunctionMetrics m;
    ASSERT_TRUE(MeasureFunction(src.Source(), index.functions[0], false, &m));
    std::vector<MetricsField> fields = MetricsFields(m);
    std::vector<std::string> labels;
    for (const MetricsField& f : fields) labels.push_back(f.label);
    EXPECT_EQ(labels, (std::vector<std::string>{"Lines:", "Characters :", "Operands :", "Operators :", "References :",
                                                "Control operators", "Total operands :", "Total operators :",
                                                "Expressions :", "Length:", "Volume :", "Level:", "Density",
                                                "Comments (%) :", "Gotos :", "Maximal depth :"}));
    EXPECT_EQ(fields[0].value, std::to_string(m.lines));
    EXPECT_EQ(fields[2].value, "1");  // a
    EXPECT_EQ(fields[5].value, "3");  // if and the two returns
    char percentage[32];
    snprintf(percentage, sizeof percentage, "%.2f", m.comment_percentage);
    EXPECT_EQ(fields[13].value, percentage);
    EXPECT_NE(fields[13].value.find('.'), std::string::npos);
    char volume[32];
    snprintf(volume, sizeof volume, "%g", m.volume);
    EXPECT_EQ(fields[10].value, volume);
    for (const MetricsField& f : fields) EXPECT_EQ(f.value.find_first_of("ni"), std::string::npos) << f.label;
}

TEST(MetricsReport, FilePlotMeasuresOnlyWhatCanBeMeasured) {
    TestSource src({
        "int big(int a) {",
        "    while (a) { if (a > 2) a--; else a -= 2; }",
        "    return a;",
        "}",
        "void nothing(void) {",
        "}",
        "int open(void) {",  // never closed: ends at the last line
        "    return 1;",
    });
    FunctionIndex index = ScanAs("m.c", src);
    ASSERT_EQ(index.functions.size(), 3u);
    index.functions[2].end_line = 0;  // a record whose end is unknown is left out
    std::vector<FunctionMetrics> all = MeasureFile(src.Source(), index.functions);
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0].name, "big");
    EXPECT_EQ(all[1].name, "nothing");
    EXPECT_EQ(LargestMeasure(all, 0), all[0].lines);
    EXPECT_GT(all[0].lines, all[1].lines);
    EXPECT_EQ(LargestMeasure({}, 0), 0);

    struct Case {
        double value, largest;
        int width, length;
    };
    const Case cases[] = {{0, 0, 100, 0}, {5, 0, 100, 0}, {5, 10, 100, 50}, {10, 10, 100, 100},
                          {20, 10, 100, 100}, {-3, 10, 100, 0}, {1, 3, 10, 3}};
    for (const Case& c : cases)
        EXPECT_EQ(BarLength(c.value, c.largest, c.width), c.length) << c.value << "/" << c.largest;
}

}  // namespace
