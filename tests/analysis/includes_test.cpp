#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "analysis/source_walker.h"
#include "tests/analysis/analysis_fixture.h"
#include "tests/support/recorded_reports.h"

namespace fs = std::filesystem;

namespace {

TEST(Includes, WalkerFollowsTheKindsAskedForOnce) {
    RecordedReports reports;
    fs::path dir = fs::temp_directory_path() / "morla_includes_test";
    fs::remove_all(dir);
    fs::create_directories(dir / "inc");
    // The header includes itself and the source again: each file is read once.
    std::ofstream(dir / "inc" / "defs.h") << "#include \"inc/defs.h\"\n#define LIMIT 10\nextern int shared_count;\n";
    std::ofstream(dir / "inc" / "sys.h") << "int sys_value;\n";
    TestSource src({"#include \"inc/defs.h\"", "#include <inc/sys.h>", "int local;"});

    IncludeSearch quoted;
    quoted.quoted = true;
    quoted.directories = {dir.string() + "/"};
    DefinitionRecord d;
    ASSERT_TRUE(FindDefinition(src.Source(), "main.c", "LIMIT", &d, quoted));
    EXPECT_EQ(d.line, 2);
    EXPECT_EQ(d.path, (dir / "inc" / "defs.h").string());
    EXPECT_FALSE(FindDefinition(src.Source(), "main.c", "sys_value", &d, quoted));
    EXPECT_FALSE(FindDefinition(src.Source(), "main.c", "LIMIT", &d));  // not asked to follow

    IncludeSearch both = quoted;
    both.angled = true;
    both.directories = {dir.string()};  // a separator is added
    std::vector<GlobalRecord> globals = ListGlobals(src.Source(), "main.c", {}, both);
    std::vector<std::string> names;
    for (const GlobalRecord& g : globals) names.push_back(g.name);
    EXPECT_EQ(names, (std::vector<std::string>{"shared_count", "sys_value", "local"}));

    std::vector<std::string> completions;
    CollectCompletions(src.Source(), "sh", &completions, both);
    EXPECT_EQ(completions, (std::vector<std::string>{"shared_count"}));
    EXPECT_TRUE(reports.Quiet());
    fs::remove_all(dir);
}

}  // namespace
