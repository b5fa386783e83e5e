#include "cms/cms_operation.h"

#include <cctype>
#include <filesystem>

#include "cms/revision_number.h"
#include "cms/revision_tree.h"
#include "shell/format_buffer.h"
#include "shell/report.h"

namespace fs = std::filesystem;

namespace {

bool SameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (tolower(static_cast<unsigned char>(a[i])) != tolower(static_cast<unsigned char>(b[i]))) return false;
    return true;
}

void Log(CmsOperation& op, const char* kind, const std::string& text) {
    AppendLogLine(op.session, FormatText("%s %s %s", kind, text.c_str(), op.session.user.c_str()));
}

// "CMS file %s is in use", with who holds the semaphore and since when.
std::string InUse(const std::string& archive, const std::string& semaphore) {
    std::string holder;
    ReadTextFile(semaphore, holder);
    std::string text = FormatText("CMS file %s is in use", archive.c_str());
    size_t bar1 = holder.find('|'), bar2 = holder.rfind('|');
    if (bar1 != std::string::npos && bar2 != bar1) {
        std::string date = holder.substr(bar2 + 1);
        while (!date.empty() && (date.back() == '\n' || date.back() == '\r')) date.pop_back();
        text += FormatText(" by %s since %s", holder.substr(0, bar1).c_str(), date.c_str());
    }
    return text;
}

}  // namespace

CmsOperation::~CmsOperation() {
    if (!holds_semaphore) return;
    std::string sem = SemaphorePath(archive_path);
    std::error_code ec;
    if (!fs::remove(sem, ec)) ShowError(FormatText("Impossible to find the semaphore file for %s", archive_path.c_str()));
}

void OperationError(CmsOperation& op, const std::string& text) {
    ++op.errors;
    ShowError(text.c_str());
    Log(op, "error", text);
}

void OperationWarning(CmsOperation& op, const std::string& text) {
    ShowError(text.c_str());
    Log(op, "warn", text);
}

void OperationOutput(CmsOperation& op, const std::string& line) { op.session.output.push_back(line); }

std::string WorkFilePath(const CmsOperation& op, const std::string& name) { return JoinPath(op.session.work_dir, name); }

bool BeginOperation(CmsOperation& op, const std::string& work_file, ArchiveNeed need, Semaphore semaphore) {
    CmsSession& s = op.session;
    if (s.user.empty()) return false;
    std::string title = "Command: '" + op.name + "':";
    if (title.size() < 70) title.append(70 - title.size(), '-');
    OperationOutput(op, title);
    op.work_file = work_file;
    if (work_file.find('$') != std::string::npos) {
        OperationError(op, FormatText("CMS file name may not contain %c", '$'));
        return false;
    }
    if (work_file.empty() || work_file.find_first_of("/\\:") != std::string::npos) {
        OperationError(op, "Incorrect CMS file name");
        return false;
    }
    std::error_code ec;
    if (fs::is_directory(WorkFilePath(op, work_file), ec)) {
        OperationError(op, FormatText("Directory %s ignored", work_file.c_str()));
        return false;
    }
    if (SameDirectory(s.cms_dir, s.work_dir)) {
        OperationError(op, "Cms directory should be different from current directory");
        return false;
    }
    op.archive_path = JoinPath(s.cms_dir, work_file);
    op.archive.path = op.archive_path;
    if (!fs::is_directory(s.cms_dir, ec)) {
        if (need == ArchiveNeed::MustExist) {
            OperationError(op, FormatText("File %s not found!", op.archive_path.c_str()));
            return false;
        }
        if (!Ask("Cms directory does not exist. Create it?")) return false;
        if (!fs::create_directories(s.cms_dir, ec)) {
            OperationError(op, FormatText("Directory %s doesn't exist", s.cms_dir.c_str()));
            return false;
        }
    }
    std::string sem = SemaphorePath(op.archive_path);
    if (semaphore == Semaphore::Take) {
        std::string holder = s.user + "|" + op.archive_path + "|" + s.now() + "\n";
        if (!CreateNewFile(sem, ToDiskText(holder))) {
            OperationError(op, FileExists(sem) ? InUse(op.archive_path, sem)
                                              : FormatText("Impossible to create the temporary CMS file %s", sem.c_str()));
            return false;
        }
        op.holds_semaphore = true;
    } else if (FileExists(sem)) {
        OperationError(op, InUse(op.archive_path, sem));
        return false;
    }
    op.archive_exists = FileExists(op.archive_path);
    if (!op.archive_exists) {
        if (need == ArchiveNeed::MustExist) {
            OperationError(op, FormatText("File %s not found!", op.archive_path.c_str()));
            return false;
        }
        return true;
    }
    ArchiveReadResult read = ReadArchiveFile(op.archive);
    for (const ArchiveProblem& p : read.problems) {
        std::string where = p.line > 0 ? FormatText(" (%s, line %d)", op.archive_path.c_str(), p.line)
                                       : FormatText(" (%s)", op.archive_path.c_str());
        if (p.error) OperationError(op, p.text + where);
        else OperationWarning(op, p.text + where);
    }
    if (!read.usable) return false;
    if (!op.archive.access.empty()) {
        bool listed = false;
        for (const std::string& u : op.archive.access) listed = listed || SameName(u, s.user);
        if (!listed) {
            OperationError(op, FormatText("User %s not on the access list", s.user.c_str()));
            return false;
        }
    }
    return true;
}

bool WriteArchive(CmsOperation& op) {
    std::string text = FormatArchive(op.archive);
    CmsArchive check;
    check.path = op.archive_path;
    ArchiveReadResult back = ParseArchive(text, check);
    if (!back.usable || DefinedRevisionCount(check) != DefinedRevisionCount(op.archive)) {
        OperationError(op, back.problems.empty() ? std::string("Internal error: the new CMS file would not read back")
                                                 : back.problems.front().text);
        return false;
    }
    std::string error, kept;
    if (!ReplaceFileAtomically(op.archive_path, text, error, &kept)) {
        if (!kept.empty())
            OperationError(op, FormatText("Impossible to write in the new CMS file %s. The output is saved in %s",
                                          op.archive_path.c_str(), kept.c_str()));
        else
            OperationError(op, error);
        return false;
    }
    if (op.session.read_only_archives) {
        std::error_code ec;
        fs::permissions(op.archive_path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                        fs::perm_options::remove, ec);
        if (ec) OperationError(op, FormatText("Impossible to change %s to read-only mode", op.archive_path.c_str()));
    }
    return true;
}

void LogRevisionOperation(CmsOperation& op, const char* what, Revision* r) {
    int two = 0, longer = 0;
    for (Revision* p : PathTo(op.archive, r)) (FieldCount(p->number) == 2 ? two : longer)++;
    AppendLogLine(op.session, FormatText("%s %10sr %3db %3df %3dt %sc %so %s %s", what, r->number.c_str(), two, longer,
                                         DefinedRevisionCount(op.archive), r->date.c_str(), op.session.now().c_str(),
                                         op.session.user.c_str(), FileNamePart(op.archive_path).c_str()));
}
