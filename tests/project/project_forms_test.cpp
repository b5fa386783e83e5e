#include <gtest/gtest.h>

#include <filesystem>

#include "project/file_system.h"
#include "project/project_forms.h"
#include "tests/editor/temp_dir.h"
#include "tests/support/recorded_reports.h"

namespace {

class ProjectForms : public ::testing::Test {
protected:
    void TearDown() override { FsChangeDirectory(home_); }
    std::string home_ = FsWorkingDirectory();
    TempDir dir_;
    RecordedReports reports_;
};

TEST_F(ProjectForms, NameChecks) {
    EXPECT_TRUE(CheckNewProjectName("hello", {"other"}));
    EXPECT_FALSE(CheckNewProjectName("HELLO", {"hello"}));
    EXPECT_FALSE(CheckNewProjectName("two words", {}));
    ASSERT_EQ(reports_.errors.size(), 2u);
    EXPECT_EQ(reports_.errors[0], "A project with name \"HELLO\" is already defined");
    EXPECT_EQ(OutputDirectoryFor("C:\\WORK"), "C:\\WORK\\rmc");
}

TEST_F(ProjectForms, CreateRefusesIncompleteFormsAndTouchesNothing) {
    const struct {
        NewProjectForm form;
        const char* error;
    } cases[] = {
        {{"", "x", "", false, false, kConsoleApp}, "Empty project file?"},
        {{"p", "", "", false, false, kConsoleApp}, "You have to give a project path!"},
        {{"p q", "x", "", false, false, kConsoleApp}, nullptr},
        {{"p", "x", "", false, false, 0}, nullptr},
        {{"p", "x", "", false, false, kConsoleApp | kDll}, nullptr},
    };
    for (auto c : cases) {
        reports_.errors.clear();
        c.form.path = c.form.path.empty() ? "" : dir_.path + "/new";
        Project p;
        EXPECT_FALSE(ApplyNewProjectForm(c.form, {}, "me", p)) << c.form.name;
        ASSERT_EQ(reports_.errors.size(), 1u) << c.form.name;
        if (c.error) {
            EXPECT_EQ(reports_.errors[0], c.error);
        }
        EXPECT_TRUE(p.name.empty());
    }
    EXPECT_FALSE(std::filesystem::exists(dir_.path + "/new"));
}

TEST_F(ProjectForms, CreateMakesThePathOutputAndCmsDirectories) {
    std::string path = dir_.path + "/new";
    NewProjectForm form{"hello", path + "\\", "", true, true, kDll};
    Project p;
    ASSERT_TRUE(ApplyNewProjectForm(form, {"other"}, "me", p)) << (reports_.errors.empty() ? "" : reports_.errors[0]);
    EXPECT_EQ(p.project_path, path) << "without the trailing backslash";
    EXPECT_EQ(FsWorkingDirectory(), path);
    EXPECT_TRUE(p.has_make);
    EXPECT_EQ(p.make.make_dir, OutputDirectoryFor(path));
    EXPECT_TRUE(FsIsDirectory(p.make.make_dir));
    EXPECT_EQ(p.compiler_flags, kDll);
    EXPECT_TRUE(p.project_flags & kUsesCms);
    EXPECT_EQ(p.cms_directory, PathJoin(path, "CMS"));
    EXPECT_TRUE(FsIsDirectory(p.cms_directory));
    EXPECT_EQ(p.users, std::vector<std::string>{"me"});

    // The output directory exists now: used only when the user agrees.
    FsChangeDirectory(home_);
    Project again;
    NewProjectForm second{"second", path, "", false, false, kConsoleApp};
    EXPECT_FALSE(ApplyNewProjectForm(second, {}, "me", again));
    EXPECT_EQ(reports_.questions, std::vector<std::string>{"Directory " + p.make.make_dir + " exists. Use it anyway?"});
    reports_.answers.push_back(AskAnswer::Yes);
    EXPECT_TRUE(ApplyNewProjectForm(second, {}, "me", again));
    EXPECT_FALSE(again.project_flags & kUsesCms);
}

TEST_F(ProjectForms, MakePageChecksInOrderAndChangesNothingOnFailure) {
    std::string make = dir_.Write("make", "");
    std::string src = dir_.path + "/src";
    std::filesystem::create_directory(src);
    Project p;
    p.compiler_flags = kStaticLibrary | kConsoleApp;
    EXPECT_STREQ(ProjectTypeText(p), "Library");
    p.compiler_flags = kConsoleApp;
    EXPECT_STREQ(ProjectTypeText(p), "Console application");
    p.make.make_name = "old";
    const struct {
        MakePageForm form;
        std::string error;
    } refused[] = {
        {{dir_.path + "/nomake -f x", dir_.path, src, ""}, "File " + dir_.path + "/nomake not found!"},
        {{make + " -k", dir_.path + "/nodir", src, ""}, "Directory " + dir_.path + "/nodir doesn't exist"},
        {{make, dir_.path, dir_.path + "/nosrc", ""}, "Directory " + dir_.path + "/nosrc doesn't exist"},
    };
    for (const auto& c : refused) {
        reports_.errors.clear();
        EXPECT_FALSE(ApplyMakePage(c.form, p));
        EXPECT_EQ(reports_.errors, std::vector<std::string>{c.error});
        EXPECT_EQ(p.make.make_name, "old");
    }
    dir_.Write("gmake.EXE", "");
    FsChangeDirectory(dir_.path);
    ASSERT_TRUE(ApplyMakePage({"gmake -s", "", src, "-v"}, p)) << "\".EXE\" is tried for a bare name";
    EXPECT_EQ(p.make.make_name, "GMAKE -S");
    EXPECT_EQ(p.make.make_dir, UpperText(dir_.path)) << "an empty make directory is the current one";
    EXPECT_EQ(p.sources_dir, src);
    EXPECT_EQ(p.debugger_arguments, "-v");
    EXPECT_EQ(MakePageOf(p).make_command, "GMAKE -S");
}

}  // namespace
