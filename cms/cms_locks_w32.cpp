#include "cms/cms_locks_w32.h"

#include <windows.h>

#include "cms/action_dialog_w32.h"
#include "cms/archive_information.h"
#include "cms/cms_context_w32.h"
#include "cms/revision_ops.h"
#include "shell/dialog_template_w32.h"
#include "shell/format_buffer.h"
#include "shell/report.h"

namespace {

constexpr WORD kHeading = 100, kLockList = 101, kUnlock = 102;

struct LocksDialog {
    CmsTarget* target;
    ArchiveInformation* info;
};

void Fill(HWND dialog, void* data) {
    const ArchiveInformation& info = *static_cast<LocksDialog*>(data)->info;
    SetDlgItemTextA(dialog, kHeading,
                    FormatText("%s: %d lock(s), head %s", info.archive_path.c_str(), int(info.locks.size()), info.head.c_str()));
    SendDlgItemMessageA(dialog, kLockList, LB_RESETCONTENT, 0, 0);
    for (const std::string& l : info.locks)
        SendDlgItemMessageA(dialog, kLockList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(l.c_str()));
    EnableWindow(GetDlgItem(dialog, kUnlock), !info.locks.empty());
}

void UnlockSelected(HWND dialog, void* data) {
    LocksDialog& d = *static_cast<LocksDialog*>(data);
    LRESULT at = SendDlgItemMessageA(dialog, kLockList, LB_GETCURSEL, 0, 0);
    if (at == LB_ERR || static_cast<size_t>(at) >= d.info->locks.size()) {
        ShowError(FormatText("Select a %s first", "lock"));
        return;
    }
    const std::string& line = d.info->locks[static_cast<size_t>(at)];  // "user revision"
    ChangeRequest rq;
    rq.work_file = d.target->work_file;
    rq.unlock = true;
    rq.unlock_revision = line.substr(line.rfind(' ') + 1);
    ChangeArchive(CmsState(), rq);
    ShowCmsOutput();
    LookAtArchive(*d.target, *d.info);
    Fill(dialog, data);
}

}  // namespace

void ShowLocksDialog(CmsTarget& target, ArchiveInformation& info) {
    DialogTemplate t("CMS: Locks", 240, 130);
    t.Label(7, 7, 226, 10, "", kHeading);
    t.List(7, 20, 226, 82, kLockList);
    t.Button(127, 108, 50, 14, kUnlock, "&Unlock");
    t.Button(183, 108, 50, 14, IDCANCEL, "Close", true);
    LocksDialog d{&target, &info};
    ActionDialog dialog{kUnlock, Fill, UnlockSelected, &d};
    RunActionDialog(t, dialog);
}
