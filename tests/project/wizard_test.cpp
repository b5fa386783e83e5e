#include <gtest/gtest.h>

#include "project/wizard.h"

namespace {

TEST(Wizard, CommandLineByProjectType) {
    Project p;
    p.name = "app";
    p.project_path = "C:\\WORK";
    p.compiler_flags = kConsoleApp;
    EXPECT_EQ(WizardCommandLine(1234, p, "C:\\WORK\\wiz.tmp"),
              "wizard.exe /morla:1234 /prjname:app /prjpath:C:\\WORK /out:C:\\WORK\\wiz.tmp /console");
    p.compiler_flags = kDll;
    EXPECT_EQ(WizardCommandLine(1, p, "o").substr(WizardCommandLine(1, p, "o").size() - 5), " /dll");
    p.compiler_flags = kWindowsApp;
    EXPECT_EQ(WizardCommandLine(1, p, "o"), "wizard.exe /morla:1 /prjname:app /prjpath:C:\\WORK /out:o");
}

TEST(Wizard, ResultFileNamesTheProjectAndItsFiles) {
    Project p;
    p.name = "app";
    p.project_path = "C:\\WORK";
    ASSERT_TRUE(ApplyWizardResult("Project: skeleton\r\nSource: c:\\work\\skel.c\nHeader: D:\\OTHER\\skel.h\n", p));
    EXPECT_EQ(p.name, "skeleton");
    EXPECT_EQ(p.files, (std::vector<std::string>{"D:\\OTHER\\SKEL.H", "SKEL.C"}));

    Project q;
    q.project_path = "C:\\WORK";
    ASSERT_TRUE(ApplyWizardResult("Project: x\nSource: C:\\WORK\\a.c\nHeader: C:\\WORK\\a.h", q));
    EXPECT_EQ(q.files, std::vector<std::string>{"A.C"}) << "a last line without its line end is not used";
    Project r;
    EXPECT_FALSE(ApplyWizardResult("Project: only\n", r));
    EXPECT_FALSE(ApplyWizardResult("", r));
}

}  // namespace
