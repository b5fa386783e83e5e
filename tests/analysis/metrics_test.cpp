#include <gtest/gtest.h>

#include "analysis/metrics.h"
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

}  // namespace
