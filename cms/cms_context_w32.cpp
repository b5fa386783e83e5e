#include "cms/cms_context_w32.h"

#include <windows.h>

#include "cms/archive_information.h"
#include "cms/cms_options.h"
#include "cms/text_file.h"
#include "editor/edit_window_w32.h"
#include "project/current_project.h"
#include "project/file_system.h"
#include "project/project_dialogs_w32.h"
#include "shell/app_state_w32.h"
#include "shell/output_window_w32.h"
#include "shell/report.h"

namespace {

constexpr DWORD kMaxUserName = 49;

CmsSession g_cms;

// The login; without one the user is asked, and an empty answer leaves it unknown.
bool TakeUser() {
    if (!g_cms.user.empty()) return true;
    char name[kMaxUserName + 1] = "";
    DWORD size = sizeof name;
    if (GetUserNameA(name, &size) && name[0]) {
        g_cms.user = name;
        return true;
    }
    std::string answer;
    if (AskText("CMS login", "Your name?", answer)) g_cms.user = Trimmed(answer);
    return !g_cms.user.empty();
}

// CMS lines are no diagnostics: a double click on one does nothing.
void IgnoreLine(HWND) {}

}  // namespace

CmsSession& CmsState() { return g_cms; }

std::string Trimmed(const std::string& text) {
    size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return std::string();
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

bool PrepareCms(CmsTarget& t) {
    t.project = CurrentProject();
    if (!t.project) {
        ShowError("No project defined");
        return false;
    }
    if (!TakeUser()) return false;
    std::string here = FsWorkingDirectory();
    std::string base = t.project->project_path.empty() ? here : t.project->project_path;
    g_cms.cms_dir = t.project->cms_directory.empty() ? DefaultCmsDirectory(base)
                                                     : PathMadeAbsolute(t.project->cms_directory, here);
    g_cms.read_only_archives = t.project->file_options & kFileReadOnly;
    g_cms.replace_output = t.project->get_options & kGetReplace;
    g_cms.output.clear();
    EditWindow* view = CurrentView();
    t.document = view ? view->cursor.doc : nullptr;
    RetargetCms(t, t.document ? t.document->name : "");
    return true;
}

void RetargetCms(CmsTarget& t, const std::string& name) {
    std::string dir = t.path.empty() ? FsWorkingDirectory() : DirectoryPart(t.path);
    t.path = name.empty() ? std::string() : PathMadeAbsolute(name, dir);
    g_cms.work_dir = t.path.empty() ? dir : DirectoryPart(t.path);
    t.work_file = FileNamePart(t.path);
}

bool LookAtArchive(const CmsTarget& t, ArchiveInformation& info) {
    bool ok = ReadArchiveInformation(g_cms, t.work_file, info);
    g_cms.output.clear();
    return ok;
}

void ShowCmsOutput() {
    if (g_app && g_app->output) {
        SendMessageA(g_app->output, kOutSetCallback, 0, reinterpret_cast<LPARAM>(&IgnoreLine));
        SendMessageA(g_app->output, kOutClearExpand, 0, 0);
    }
    for (const std::string& line : g_cms.output) OutputAddLine(line.c_str());
    g_cms.output.clear();
}
