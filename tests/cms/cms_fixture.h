#pragma once
// A project directory with its working files and CMS directory in a fresh temp folder,
// and a session whose clock moves one second per call.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "cms/cms_session.h"
#include "cms/text_file.h"
#include "tests/support/recorded_reports.h"

class CmsFixture : public ::testing::Test {
protected:
    std::filesystem::path root;
    CmsSession session;
    RecordedReports reports;
    int tick = 0;

    void SetUp() override {
        root = std::filesystem::temp_directory_path() /
               ("morla_cms_" + std::to_string(::getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(root);
        std::filesystem::create_directories(root / "work" / "CMS");
        session.user = "alice";
        session.work_dir = (root / "work").string();
        session.cms_dir = (root / "work" / "CMS").string();
        session.lock_wait_ms = 1;
        session.now = [this] {
            int t = tick++;
            return "2026.12.10.9." + std::to_string(t / 60) + "." + std::to_string(t % 60);
        };
    }
    void TearDown() override { std::filesystem::remove_all(root); }

    std::string Work(const std::string& name) const { return (root / "work" / name).string(); }
    std::string Archive(const std::string& name) const { return (root / "work" / "CMS" / name).string(); }

    static void WriteBytes(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    static std::string ReadBytes(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    // A working file as an editor on Windows saves it: CR LF line ends.
    void WriteWork(const std::string& name, const std::string& text) { WriteBytes(Work(name), ToDiskText(text)); }
    std::string ReadWork(const std::string& name) const {
        std::string t;
        ReadTextFile(Work(name), t);
        return t;
    }
};
