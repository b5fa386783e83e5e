#include "cms/cms_commands_w32.h"

#include <windows.h>

#include <cctype>

#include "cms/archive_information.h"
#include "cms/cms_context_w32.h"
#include "cms/cms_form_w32.h"
#include "cms/cms_locks_w32.h"
#include "cms/cms_options.h"
#include "cms/log_review_w32.h"
#include "cms/revision_ops.h"
#include "cms/text_file.h"
#include "cms/uuencode.h"
#include "config/store.h"
#include "editor/edit_window_w32.h"
#include "project/current_project.h"
#include "shell/dispatch.h"
#include "shell/format_buffer.h"
#include "shell/report.h"
#include "shell/settings_w32.h"

namespace {

// Names separated by blanks, commas or semicolons.
std::vector<std::string> Words(const std::string& text) {
    std::vector<std::string> words;
    std::string word;
    for (char c : text + " ") {
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == ',' || c == ';') {
            if (!word.empty()) words.push_back(word);
            word.clear();
        } else {
            word += c;
        }
    }
    return words;
}

std::string Joined(const std::vector<std::string>& words, const char* between) {
    std::string text;
    for (const std::string& w : words) text += (text.empty() ? "" : between) + w;
    return text;
}

// The document showing the file, if one does.
TextDocument* DocumentOf(const std::string& path) {
    for (TextDocument* d = FirstDocument(); d; d = d->next)
        if (SameTextNoCase(d->name, path)) return d;
    return nullptr;
}

// A put stores the file as it is on disk: unsaved changes are saved first.
bool SavedForPut(const CmsTarget& t) {
    TextDocument* doc = DocumentOf(t.path);
    if (!doc || !IsModified(doc)) return true;
    bool saved = SaveDocument(doc);
    for (EditWindow* v = FirstView(); v; v = v->next)
        if (v->cursor.doc == doc) RefreshView(v);  // the title loses its mark
    return saved;
}

std::string ArchiveSummary(const ArchiveInformation& info) {
    std::string text = FormatText("Archive: %s\nHead: %s    Default branch: %s    Revisions: %d", info.archive_path.c_str(),
                                  info.head.c_str(), info.default_branch.empty() ? "none" : info.default_branch.c_str(),
                                  info.revision_count);
    text += "\nLocks: " + (info.locks.empty() ? std::string("none") : Joined(info.locks, ", "));
    if (!info.symbols.empty()) text += "\nSymbolic names:" + Joined(info.symbols, "");
    return text;
}

// Asks for the working file (the current document's by default) and reads its archive.
bool TargetWithInformation(const char* title, CmsTarget& t, ArchiveInformation& info) {
    if (!PrepareCms(t)) return false;
    if (t.work_file.empty()) {
        std::string name;
        if (!RunForm(title, "", {{"File:", &name}}, {})) return false;
        RetargetCms(t, Trimmed(name));
    }
    return LookAtArchive(t, info);
}

void PutCommand() {
    CmsTarget t;
    if (!PrepareCms(t)) return;
    PutRequest rq;
    std::string file = t.work_file;
    rq.keep = t.project->put_options & kPutKeep;
    rq.lock = t.project->put_options & kPutLock;
    if (!RunForm("CMS: Put", FormatText("CMS directory: %s", CmsState().cms_dir.c_str()),
                 {{"File:", &file}, {"Log message:", &rq.log, true}, {"Revision:", &rq.revision},
                  {"Symbolic name:", &rq.symbol}, {"State:", &rq.state}},
                 {{"Keep the working file", &rq.keep},
                  {"Lock the new revision", &rq.lock},
                  {"Revision, date, author and state from the file's keywords", &rq.use_keywords}}))
        return;
    RetargetCms(t, Trimmed(file));
    rq.work_file = t.work_file;
    rq.revision = Trimmed(rq.revision);
    rq.symbol = Trimmed(rq.symbol);
    rq.state = Trimmed(rq.state);
    if (!SavedForPut(t)) return;
    Put(CmsState(), rq);
    ShowCmsOutput();
}

void GetCommand() {
    CmsTarget t;
    if (!PrepareCms(t)) return;
    GetRequest rq;
    std::string file = t.work_file;
    rq.lock = t.project->get_options & kGetLock;
    rq.overwrite = t.project->get_options & kGetReplace;
    if (!RunForm("CMS: Get", FormatText("CMS directory: %s", CmsState().cms_dir.c_str()),
                 {{"File:", &file}, {"Revision:", &rq.revision}, {"Output file:", &rq.output},
                  {"Date not later than:", &rq.date}, {"Author:", &rq.author}, {"State:", &rq.state}},
                 {{"Lock the revision", &rq.lock}, {"Replace an existing output file without asking", &rq.overwrite}}))
        return;
    RetargetCms(t, Trimmed(file));
    rq.work_file = t.work_file;
    for (std::string* s : {&rq.revision, &rq.output, &rq.date, &rq.author, &rq.state}) *s = Trimmed(*s);
    std::string output = JoinPath(CmsState().work_dir, rq.output.empty() ? rq.work_file : rq.output);
    TextDocument* doc = DocumentOf(output);
    if (doc && IsModified(doc) &&
        !Ask(FormatText("%s has changes that are not saved. The get replaces them. Go on?", output.c_str())))
        return;
    bool got = Get(CmsState(), rq);
    ShowCmsOutput();
    if (!got) return;
    if (doc) ReloadDocument(doc, false);
    else if (!IsBinaryWorkFile(output)) OpenEditorWindow(output.c_str(), false);
}

void ChangeLocksCommand() {
    CmsTarget t;
    ArchiveInformation info;
    if (!TargetWithInformation("CMS: Change locks", t, info)) return;
    ChangeRequest rq;
    rq.work_file = t.work_file;
    std::string revision;
    bool unlock = false;
    if (!RunForm("CMS: Change locks", ArchiveSummary(info) + "\nAn empty revision is the default one.", {{"Revision:", &revision}},
                 {{"Unlock instead of lock", &unlock}}))
        return;
    (unlock ? rq.unlock : rq.lock) = true;
    (unlock ? rq.unlock_revision : rq.lock_revision) = Trimmed(revision);
    ChangeArchive(CmsState(), rq);
    ShowCmsOutput();
}

void SeeLocksCommand() {
    CmsTarget t;
    ArchiveInformation info;
    if (TargetWithInformation("CMS: Locks", t, info)) ShowLocksDialog(t, info);
}

void DefaultsCommand() {
    CmsTarget t;
    ArchiveInformation info;
    if (!TargetWithInformation("CMS: Defaults", t, info)) return;
    std::string branch = info.default_branch, access = Joined(info.access, " "), description = info.description;
    std::string symbol, symbol_revision;
    bool rebind = false;
    if (!RunForm("CMS: Defaults", ArchiveSummary(info) + "\nA symbolic name without a revision is removed.",
                 {{"Default branch:", &branch}, {"Access list:", &access}, {"Symbolic name:", &symbol},
                  {"Revision of the name:", &symbol_revision}, {"Description:", &description, true}},
                 {{"Rebind a name that is bound already", &rebind}}))
        return;
    ChangeRequest rq;
    rq.work_file = t.work_file;
    rq.set_default_branch = Trimmed(branch) != info.default_branch;
    rq.default_branch = Trimmed(branch);
    rq.access = Words(access);
    rq.set_access = rq.access != info.access;
    rq.symbol = Trimmed(symbol);
    rq.symbol_revision = Trimmed(symbol_revision);
    rq.bind = !rq.symbol.empty();
    rq.rebind = rebind;
    rq.set_description = description != info.description;
    rq.description = description;
    if (!rq.set_default_branch && !rq.set_access && !rq.bind && !rq.set_description) return;
    ChangeArchive(CmsState(), rq);
    ShowCmsOutput();
}

void EraseCommand() {
    CmsTarget t;
    ArchiveInformation info;
    if (!TargetWithInformation("CMS: Erase revisions", t, info)) return;
    std::string revisions;
    if (!RunForm("CMS: Erase revisions", ArchiveSummary(info), {{"Revisions and branches:", &revisions}}, {})) return;
    ChangeRequest rq;
    rq.work_file = t.work_file;
    rq.remove = Words(revisions);
    if (rq.remove.empty()) return;
    ChangeArchive(CmsState(), rq);
    ShowCmsOutput();
}

void SeeLogCommand() {
    CmsTarget t;
    if (!PrepareCms(t)) return;
    std::string path = LogFilePath(CmsState()), text;
    if (!ReadTextFile(path, text)) {
        ShowError(FormatText("File %s not found!", path.c_str()));
        return;
    }
    CmsSession& s = CmsState();
    s.output.push_back(FormatText("CMS log %s:", path.c_str()));
    for (std::string_view line : SplitLines(text))
        s.output.emplace_back(line.substr(0, line.size() - (line.back() == '\n' ? 1 : 0)));
    ShowCmsOutput();
}

void OperationsCommand() {
    CmsTarget t;
    if (PrepareCms(t)) ShowLogReview(LogFilePath(CmsState()));
}

void PreferencesCommand() {
    CmsTarget t;
    if (!PrepareCms(t)) return;
    Project& p = *t.project;
    std::string dir = CmsState().cms_dir;
    bool read_only = p.file_options & kFileReadOnly, replace = p.get_options & kGetReplace;
    bool get_lock = p.get_options & kGetLock, keep = p.put_options & kPutKeep, put_lock = p.put_options & kPutLock;
    if (!RunForm("CMS: Preferences", FormatText("User: %s", CmsState().user.c_str()), {{"CMS directory:", &dir}},
                 {{"Make each archive read-only after it is written", &read_only},
                  {"Get replaces an existing file without asking", &replace},
                  {"Get locks the revision", &get_lock},
                  {"Put keeps the working file", &keep},
                  {"Put locks the new revision", &put_lock}}))
        return;
    dir = Trimmed(dir);
    if (dir.empty() || SameDirectory(dir, p.project_path.empty() ? CmsState().work_dir : p.project_path)) {
        ShowError("Cms directory should be different from current directory");
        return;
    }
    auto set = [](int& options, int bit, bool on) { options = on ? options | bit : options & ~bit; };
    p.cms_directory = dir;
    set(p.file_options, kFileReadOnly, read_only);
    set(p.get_options, kGetReplace, replace);
    set(p.get_options, kGetLock, get_lock);
    set(p.put_options, kPutKeep, keep);
    set(p.put_options, kPutLock, put_lock);
    if (g_config.save_at_exit && g_project_open) SaveProject(p, 1);
}

}  // namespace

void InstallCms() {
    SetCommandHandler(1222, PutCommand);
    SetCommandHandler(1223, GetCommand);
    SetCommandHandler(1226, SeeLocksCommand);
    SetCommandHandler(1230, PreferencesCommand);
    SetCommandHandler(1236, DefaultsCommand);
    SetCommandHandler(1239, SeeLogCommand);
    SetCommandHandler(1240, EraseCommand);
    SetCommandHandler(1241, ChangeLocksCommand);
    SetCommandHandler(1243, OperationsCommand);
}
