#include <gtest/gtest.h>

#include <random>

#include "cms/diff.h"
#include "cms/edit_script.h"

namespace {

std::string Apply(const std::string& old_text, const std::string& script) {
    LineList out;
    std::string error;
    EXPECT_TRUE(ApplyEditScript(SplitLines(old_text), script, ScriptOrigin::Archive, out, error)) << error;
    return JoinLines(out);
}

std::string Script(const std::string& a, const std::string& b, DiffOptions o = {}) {
    LineList la = SplitLines(a), lb = SplitLines(b);
    return FormatEditScript(DiffLines(la, lb, o), lb);
}

struct Pair {
    const char* name;
    const char* a;
    const char* b;
    const char* script;  // expected, or null when only the round trip is checked
};

const Pair kPairs[] = {
    {"both empty", "", "", ""},
    {"empty first", "", "x\ny\nz\n", "a0 3\nx\ny\nz\n"},
    {"empty second", "x\ny\n", "", "d1 2\n"},
    {"identical", "a\nb\nc\n", "a\nb\nc\n", ""},
    {"all changed", "a\nb\nc\n", "x\ny\n", "d1 3\na3 2\nx\ny\n"},
    {"replace line 5 of 10", "1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n", "1\n2\n3\n4\nfive\n6\n7\n8\n9\n10\n",
     "d5 1\na5 1\nfive\n"},
    {"moved block", "a\nb\nc\nd\ne\nf\n", "d\ne\nf\na\nb\nc\n", nullptr},
    {"repeated lines", "x\nx\nx\ny\nx\nx\n", "x\ny\nx\nx\nx\nx\ny\n", nullptr},
    {"blank lines inserted between blanks", "a\n\n\nb\n", "a\n\n\n\n\nb\n", "a3 2\n\n\n"},
    {"last line without break changed", "a\nb", "a\nb\n", "d2 1\na2 1\nb\n"},
    {"last line without break deleted, then added", "a\nb\nc", "a\nc\nd", nullptr},
    {"text with @", "@a\n@@\n", "@a\nb@\n@@\n", "a1 1\nb@\n"},
    {"no final break on both", "a", "b", "d1 1\na1 1\nb"},
};

TEST(Differencer, TableOfPairsRoundTrips) {
    for (const Pair& p : kPairs) {
        std::string script = Script(p.a, p.b);
        if (p.script) {
            EXPECT_EQ(script, p.script) << p.name;
        }
        EXPECT_EQ(Apply(p.a, script), p.b) << p.name << "\n" << script;
    }
}

TEST(Differencer, IdenticalAndWhiteSpaceOptions) {
    DiffOptions ws;
    ws.ignore_white_space = true;
    EXPECT_TRUE(DiffLines(SplitLines("a b  \nc\n"), SplitLines("a  b\nc\n"), ws).empty());
    EXPECT_FALSE(DiffLines(SplitLines("a b  \nc\n"), SplitLines("a  b\nc\n")).empty());
    DiffOptions nocase;
    nocase.ignore_case = true;
    EXPECT_TRUE(DiffLines(SplitLines("Hello\n"), SplitLines("hELLO\n"), nocase).empty());
}

TEST(Differencer, CountsAreMinimalOnSmallEdits) {
    std::string a, b;
    for (int i = 0; i < 2000; ++i) {
        a += "line " + std::to_string(i) + "\n";
        b += (i % 100 == 7 ? "changed " : "line ") + std::to_string(i) + "\n";
    }
    auto hunks = DiffLines(SplitLines(a), SplitLines(b));
    EXPECT_EQ(CountChangedLines(hunks), 40);
    EXPECT_EQ(hunks.size(), 20u);
}

TEST(Differencer, RandomPairsRoundTrip) {
    std::mt19937 rng(12345);
    const char* words[] = {"a\n", "b\n", "c\n", "\n", "d", "@\n", "e e\n"};
    for (int round = 0; round < 400; ++round) {
        auto make = [&](int n) {
            std::string s;
            for (int i = 0; i < n; ++i) {
                const char* w = words[rng() % 7];
                s += w;
                if (w[0] == 'd') s += "\n";
            }
            if (rng() % 4 == 0 && !s.empty()) s.pop_back();  // no final line break
            return s;
        };
        std::string a = make(int(rng() % 40)), b;
        // b: a with random edits, or unrelated
        if (rng() % 3) {
            LineList la = SplitLines(a);
            for (auto l : la) {
                int r = int(rng() % 10);
                if (r == 0) continue;
                if (r == 1) b += words[rng() % 4];
                b.append(l);
                if (!b.empty() && b.back() != '\n') b += "\n";
            }
        } else {
            b = make(int(rng() % 40));
        }
        DiffOptions o;
        o.minimal = round % 2;
        std::string script = Script(a, b, o);
        ASSERT_EQ(Apply(a, script), b) << "a=" << a << "\nb=" << b << "\nscript=" << script;
    }
}

TEST(Differencer, LargeUnrelatedInputsStayNearShortest) {
    // No long common runs: the cost cap keeps this fast and the result still applies.
    std::mt19937 rng(7);
    std::string a, b;
    for (int i = 0; i < 5000; ++i) {
        a += std::to_string(rng() % 50) + "\n";
        b += std::to_string(rng() % 50) + "\n";
    }
    LineList la = SplitLines(a), lb = SplitLines(b);
    std::string script = FormatEditScript(DiffLines(la, lb), lb);
    EXPECT_EQ(Apply(a, script), b);
}

TEST(EditScript, BackwardCommandsTakeASecondPass) {
    EXPECT_EQ(Apply("1\n2\n3\n4\n5\n", "d5 1\nd1 1\n"), "2\n3\n4\n");
    EXPECT_EQ(Apply("1\n2\n3\n", "a3 1\nx\na0 1\ny\n"), "y\n1\n2\n3\nx\n");
}

TEST(EditScript, DeletingLastLineWithoutBreakGoesOnToTheAdd) {
    EXPECT_EQ(Apply("a\nb", "d2 1\na2 2\nc\nd\n"), "a\nc\nd\n");
}

TEST(EditScript, Errors) {
    struct Case {
        const char* script;
        const char* error;
    } cases[] = {
        {"x1 1\n", "unknown command in edit script: x"},
        {"d\n", "missing line number in edit script"},
        {"d1\n", "incorrect range in edit script"},
        {"d3 5\n", "EOF during edit"},
        {"a9 1\nz\n", "EOF during edit"},
        {"a1 3\nz\n", "Incorrect CMS file: Unexpected EOF"},
    };
    for (const Case& c : cases) {
        LineList out;
        std::string error;
        EXPECT_FALSE(ApplyEditScript(SplitLines("a\nb\n"), c.script, ScriptOrigin::Archive, out, error)) << c.script;
        EXPECT_EQ(error, c.error);
    }
}

TEST(EditScript, ScriptFilesAreLiteralAndEndAtTheTrailer) {
    LineList out;
    std::string error;
    ASSERT_TRUE(ApplyEditScript(SplitLines("a\nb\n"), "a1 1\n@@x\n@\n         0          0\n", ScriptOrigin::File, out,
                                error));
    EXPECT_EQ(JoinLines(out), "a\n@@x\nb\n");
}

}  // namespace
