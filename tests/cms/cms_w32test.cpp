// The CMS commands of the real program on a project under Wine: put, put again, get an
// old revision with a lock, the archive and the log on disk, and a lock conflict.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlwapi.h>

#include <cwchar>
#include <fstream>
#include <string>
#include <vector>

#include "cms/revision_ops.h"
#include "tests/support/morla_driving_w32.h"
#include "tests/support/morla_process_w32.h"
#include "tests/support/recorded_reports.h"

namespace {

constexpr const char* kProjectKey = "Software\\rmc\\Morla\\cmse2e";
constexpr const char* kOriginal = "int main(void) { return 0; }\r\n";

void PutString(HKEY key, const char* name, const std::string& text) {
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()), static_cast<DWORD>(text.size() + 1));
}

void SetCurrentProject(const char* name) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\rmc\\Morla", 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
    PutString(key, "CurrentProject", name);
    RegCloseKey(key);
}

bool WaitForText(const std::string& path, const std::string& needle, DWORD ms = 10000) {
    for (DWORD waited = 0; waited < ms; waited += 100) {
        if (ReadWholeFile(path).find(needle) != std::string::npos) return true;
        Sleep(100);
    }
    return false;
}

std::string Shot(const char* name) { return EnvPath("MORLA_SCREENSHOT_DIR") + "\\" + name; }

// A project "cmse2e" in a fresh directory with one file, made the current project.
class CmsProgram : public ::testing::Test {
protected:
    std::string dir, cms, user;
    MorlaProcess morla;
    std::string stored_cms_subdirectory;  // a CmsDirectory stored with the project, below dir

    void SetUp() override {
        {
            MorlaProcess first;  // the first run records the compiler root
            ASSERT_TRUE(first.Start("/w"));
        }
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        dir = std::string(temp) + "morla_cms_e2e";
        cms = dir + "\\" + (stored_cms_subdirectory.empty() ? "CMS" : stored_cms_subdirectory);
        char command[MAX_PATH + 40];
        snprintf(command, sizeof command, "cmd /c rmdir /s /q \"%s\"", dir.c_str());
        system(command);
        CreateDirectoryA(dir.c_str(), nullptr);
        std::ofstream(dir + "\\HELLO.C", std::ios::binary) << kOriginal;
        char name[64] = "";
        DWORD size = sizeof name;
        ASSERT_TRUE(GetUserNameA(name, &size));
        user = name;

        HKEY key;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kProjectKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        std::string root = EnvPath("MORLA_SUITE_ROOT");
        PutString(key, "Name", "cmse2e");
        PutString(key, "ProjectPath", dir);
        PutString(key, "SourcesDir", dir);
        PutString(key, "CompilerFlags", "136");
        PutString(key, "MakeName", root + "\\bin\\make.exe");
        PutString(key, "MakeDir", dir + "\\rmc");
        PutString(key, "PrjFiles", "1");
        PutString(key, "File1", "HELLO.C");
        if (!stored_cms_subdirectory.empty()) PutString(key, "CmsDirectory", cms);
        RegCloseKey(key);
        SetCurrentProject("cmse2e");
        ASSERT_TRUE(morla.Start("\"" + dir + "\\HELLO.C\""));
    }

    void TearDown() override {
        morla.Stop();
        SetCurrentProject("");
        SHDeleteKeyA(HKEY_CURRENT_USER, kProjectKey);
    }

    HWND Open(UINT command, const char* title) {
        PostMessageA(morla.frame, WM_COMMAND, command, 0);
        return WaitForWindow(morla.process.dwProcessId, title);
    }
    // Answers the next box of that title, checking its text.
    void Answer(const char* title, const std::string& text, WPARAM button) {
        HWND box = WaitForWindow(morla.process.dwProcessId, title);
        ASSERT_NE(box, nullptr) << text;
        EXPECT_EQ(BoxText(box), text);
        PostMessageA(box, WM_COMMAND, button, 0);
        Sleep(300);
    }
    void Put(const char* log, const char* shot = nullptr) {
        HWND put = Open(1222, "CMS: Put");
        ASSERT_NE(put, nullptr);
        SetDlgItemTextA(put, 201, log);
        if (shot) SaveScreenBitmap(Shot(shot));
        PostMessageA(put, WM_COMMAND, IDOK, 0);
    }
    // The first put also makes the CMS directory, after asking.
    void FirstPut(const char* shot = nullptr) {
        Put("first version", shot);
        Answer("Information", "Cms directory does not exist. Create it?", IDYES);
        ASSERT_TRUE(WaitForText(cms + "\\HELLO.C", "Head     1.1;"));
    }
    // The lines of the output window's list.
    std::vector<std::string> OutputLines() {
        return ListRows(GetDlgItem(FindWindowExA(morla.frame, nullptr, "MorlaOutput", nullptr), 4801));
    }
    HWND Editor() {
        HWND client = FindWindowExA(morla.frame, nullptr, "MDIClient", nullptr);
        return FindWindowExA(client, nullptr, "clMDIDocument", nullptr);
    }
};

TEST_F(CmsProgram, PutTwiceThenGetTheFirstRevisionWithALock) {
    FirstPut("cms_put.bmp");
    std::string first = ReadWholeFile(cms + "\\HELLO.C");
    EXPECT_EQ(first.rfind("This is a CMS file. Do NOT edit!\r\nHead     1.1;\r\n", 0), 0u) << first;
    EXPECT_NE(first.find("\r\nDescription\r\n@first version\r\n@"), std::string::npos) << first;
    EXPECT_NE(first.find("\r\n1.1\r\nLog\r\n@Initial revision\r\n@\r\nText\r\n@int main(void) { return 0; }\r\n@"),
              std::string::npos)
        << first;
    SaveScreenBitmap(Shot("cms_put_output.bmp"));
    std::vector<std::string> lines = OutputLines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "Command: 'put':" + std::string(55, '-'));
    EXPECT_EQ(lines[1], "HELLO.C becomes " + cms + "\\HELLO.C");
    EXPECT_EQ(lines[2], "Initial revision: 1.1");
    EXPECT_EQ(lines[3], "Put command done. Termination code 0");

    // An unsaved change in the editor is saved before the put stores the file.
    HWND editor = Editor();
    ASSERT_NE(editor, nullptr);
    SendMessageA(editor, WM_CHAR, 'x', 1);
    Sleep(1100);  // a later second: dates of revisions must grow
    Put("second version");
    ASSERT_TRUE(WaitForText(cms + "\\HELLO.C", "Head     1.2;"));
    EXPECT_EQ(ReadWholeFile(dir + "\\HELLO.C"), std::string("x") + kOriginal);
    EXPECT_EQ(WindowText(editor).find('*'), std::string::npos) << WindowText(editor);  // saved
    std::string second = ReadWholeFile(cms + "\\HELLO.C");
    EXPECT_NE(second.find("\r\n1.2\r\nLog\r\n@second version\r\n@\r\nText\r\n@xint main"), std::string::npos) << second;
    EXPECT_NE(second.find("\r\n1.1\r\nLog\r\n@Initial revision\r\n@\r\nText\r\n@d1 1\r\na1 1\r\nint main"),
              std::string::npos)
        << second;

    HWND get = Open(1223, "CMS: Get");
    ASSERT_NE(get, nullptr);
    SetDlgItemTextA(get, 201, "1.1");
    SendDlgItemMessageA(get, 300, BM_SETCHECK, BST_CHECKED, 0);
    SaveScreenBitmap(Shot("cms_get.bmp"));
    PostMessageA(get, WM_COMMAND, IDOK, 0);
    Answer("Information", "HELLO.C exists already. Erase it?", IDYES);
    ASSERT_TRUE(WaitForText(cms + "\\HELLO.C", "Locks    " + user + ":1.1;"));
    ASSERT_TRUE(WaitForText(cms + "\\LOGFILE.LOG", "get        1.1r"));
    EXPECT_EQ(ReadWholeFile(dir + "\\HELLO.C"), kOriginal);
    Sleep(300);
    EXPECT_EQ(WindowText(editor).find('*'), std::string::npos) << WindowText(editor);  // reloaded, unmodified
    EXPECT_EQ(GetFileAttributesA((cms + "\\_HELLO.C_").c_str()), INVALID_FILE_ATTRIBUTES);

    std::string log = ReadWholeFile(cms + "\\LOGFILE.LOG");
    for (const char* op : {"put        1.1r   1b   0f   1t ", "put        1.2r   1b   0f   2t ", "get        1.1r   2b   0f   2t "})
        EXPECT_NE(log.find(op), std::string::npos) << op << "\n" << log;
    EXPECT_NE(log.find(" " + user + " HELLO.C\r\n"), std::string::npos) << log;
    EXPECT_EQ(log.find("error"), std::string::npos) << log;

    // See log: the log file's lines in the output list after a heading.
    PostMessageA(morla.frame, WM_COMMAND, 1239, 0);
    Sleep(500);
    lines = OutputLines();
    ASSERT_EQ(lines.size(), 5u);  // put, put, the lock request and get
    EXPECT_EQ(lines[0], "CMS log " + cms + "\\LOGFILE.LOG:");
    EXPECT_EQ(lines[3].rfind("lock 1.1 ", 0), 0u) << lines[3];
    EXPECT_EQ(lines[4].rfind("get        1.1r", 0), 0u) << lines[4];

    // See operations: the revision operations, filtered.
    HWND review = Open(1243, "CMS: Operations");
    ASSERT_NE(review, nullptr);
    EXPECT_EQ(SendDlgItemMessageA(review, 107, LB_GETCOUNT, 0, 0), 3);
    SetDlgItemTextA(review, 101, "put");
    SendMessageA(review, WM_COMMAND, 105, 0);
    EXPECT_EQ(SendDlgItemMessageA(review, 107, LB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(WindowText(GetDlgItem(review, 108)), "2 operations selected, 3 operations in log file");
    SaveScreenBitmap(Shot("cms_operations.bmp"));
    PostMessageA(review, WM_COMMAND, IDCANCEL, 0);
}

TEST_F(CmsProgram, ALockOfAnotherUserIsRefused) {
    FirstPut();

    // Another user locks 1.1 from outside the program.
    RecordedReports reports;
    CmsSession other;
    other.user = "other";
    other.work_dir = dir;
    other.cms_dir = cms;
    ChangeRequest lock;
    lock.work_file = "HELLO.C";
    lock.lock = true;
    lock.lock_revision = "1.1";
    ASSERT_EQ(ChangeArchive(other, lock), 0) << (reports.errors.empty() ? "" : reports.errors[0]);
    std::string before = ReadWholeFile(cms + "\\HELLO.C");
    ASSERT_NE(before.find("Locks    other:1.1;"), std::string::npos) << before;

    HWND change = Open(1241, "CMS: Change locks");
    ASSERT_NE(change, nullptr);
    SetDlgItemTextA(change, 200, "1.1");
    SaveScreenBitmap(Shot("cms_change_locks.bmp"));
    PostMessageA(change, WM_COMMAND, IDOK, 0);
    Answer("Error", "Version 1.1 locked by other", IDOK);
    EXPECT_EQ(ReadWholeFile(cms + "\\HELLO.C"), before);
    EXPECT_EQ(GetFileAttributesA((cms + "\\_HELLO.C_").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(WaitForText(cms + "\\LOGFILE.LOG", "error Version 1.1 locked by other " + user));

    // The locks dialog shows the other's lock; unlocking it from here is refused too.
    HWND locks = Open(1226, "CMS: Locks");
    ASSERT_NE(locks, nullptr);
    EXPECT_EQ(SendDlgItemMessageA(locks, 101, LB_GETCOUNT, 0, 0), 1);
    SaveScreenBitmap(Shot("cms_locks.bmp"));
    SendDlgItemMessageA(locks, 101, LB_SETCURSEL, 0, 0);
    PostMessageA(locks, WM_COMMAND, 102, 0);
    Answer("Error", "1.1 still locked by other", IDOK);
    PostMessageA(locks, WM_COMMAND, IDCANCEL, 0);
    Sleep(300);
    EXPECT_EQ(ReadWholeFile(cms + "\\HELLO.C"), before);
}

TEST_F(CmsProgram, DefaultsEraseAndReadOnlyArchives) {
    FirstPut();
    auto change_and_put = [&](const char* text, const char* head) {
        Sleep(1100);
        std::ofstream(dir + "\\HELLO.C", std::ios::binary) << text;
        Put("changed");
        EXPECT_TRUE(WaitForText(cms + "\\HELLO.C", head)) << head;
    };
    change_and_put("int x;\r\n", "Head     1.2;");

    HWND defaults = Open(1236, "CMS: Defaults");
    ASSERT_NE(defaults, nullptr);
    SetDlgItemTextA(defaults, 201, (user + " bob").c_str());
    SetDlgItemTextA(defaults, 202, "REL1");
    SetDlgItemTextA(defaults, 203, "1.2");
    SaveScreenBitmap(Shot("cms_defaults.bmp"));
    PostMessageA(defaults, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitForText(cms + "\\HELLO.C", "RevNames  REL1:1.2;"));
    EXPECT_NE(ReadWholeFile(cms + "\\HELLO.C").find("Access   " + user + " bob;"), std::string::npos);

    HWND erase = Open(1240, "CMS: Erase revisions");
    ASSERT_NE(erase, nullptr);
    SetDlgItemTextA(erase, 200, "1.1");
    SaveScreenBitmap(Shot("cms_erase.bmp"));
    PostMessageA(erase, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitForText(cms + "\\LOGFILE.LOG", "del        1.1r"));
    Sleep(300);
    std::string archive = ReadWholeFile(cms + "\\HELLO.C");
    EXPECT_EQ(archive.find("\r\n1.1\r\n"), std::string::npos) << archive;
    EXPECT_NE(archive.find("\r\n1.2\r\nLog\r\n@changed\r\n@\r\nText\r\n@int x;\r\n@"), std::string::npos) << archive;

    HWND preferences = Open(1230, "CMS: Preferences");
    ASSERT_NE(preferences, nullptr);
    SendDlgItemMessageA(preferences, 300, BM_SETCHECK, BST_CHECKED, 0);
    SaveScreenBitmap(Shot("cms_preferences.bmp"));
    PostMessageA(preferences, WM_COMMAND, IDOK, 0);
    Sleep(300);
    change_and_put("int y;\r\n", "Head     1.3;");
    EXPECT_TRUE(GetFileAttributesA((cms + "\\HELLO.C").c_str()) & FILE_ATTRIBUTE_READONLY);
    // A read-only archive is still replaced by the next put.
    change_and_put("int z;\r\n", "Head     1.4;");
    EXPECT_EQ(ReadWholeFile(cms + "\\LOGFILE.LOG").find("error"), std::string::npos) << ReadWholeFile(cms + "\\LOGFILE.LOG");
}

TEST_F(CmsProgram, DeclinedQuestionsLeaveArchiveAndFileAsTheyWere) {
    FirstPut();
    std::string archive = ReadWholeFile(cms + "\\HELLO.C");
    Sleep(1100);  // else the date check refuses the put before it compares
    Put("nothing new");
    Answer("Information", "File HELLO.C is identical to revision 1.1 Save anyway?", IDNO);
    EXPECT_EQ(ReadWholeFile(cms + "\\HELLO.C"), archive);
    EXPECT_EQ(ReadWholeFile(dir + "\\HELLO.C"), kOriginal);  // kept

    HWND erase = Open(1240, "CMS: Erase revisions");
    ASSERT_NE(erase, nullptr);
    SetDlgItemTextA(erase, 200, "1.1");
    PostMessageA(erase, WM_COMMAND, IDOK, 0);
    Answer("Information", "Do you really want to delete all revisions ?", IDNO);
    EXPECT_EQ(ReadWholeFile(cms + "\\HELLO.C"), archive);

    std::ofstream(dir + "\\HELLO.C", std::ios::binary) << "not yet saved\r\n";
    HWND get = Open(1223, "CMS: Get");
    ASSERT_NE(get, nullptr);
    PostMessageA(get, WM_COMMAND, IDOK, 0);
    Answer("Information", "HELLO.C exists already. Erase it?", IDNO);
    EXPECT_EQ(ReadWholeFile(dir + "\\HELLO.C"), "not yet saved\r\n");
    EXPECT_EQ(ReadWholeFile(cms + "\\HELLO.C"), archive);
    EXPECT_EQ(GetFileAttributesA((cms + "\\_HELLO.C_").c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace

// Opening the project keeps the CMS directory stored with it instead of the default.
class CmsProgramStoredDirectory : public CmsProgram {
protected:
    CmsProgramStoredDirectory() { stored_cms_subdirectory = "ARCHIVES"; }
};

TEST_F(CmsProgramStoredDirectory, PutUsesTheStoredDirectory) {
    FirstPut();
    EXPECT_EQ(GetFileAttributesA((dir + "\\CMS").c_str()), INVALID_FILE_ATTRIBUTES);
}
