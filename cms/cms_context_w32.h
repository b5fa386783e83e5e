#pragma once
// What every CMS command starts from: the user, the current project's CMS directory and
// options, and the working file (by default the current document's).
#include <string>

#include "cms/cms_session.h"

struct ArchiveInformation;
struct Project;
struct TextDocument;

struct CmsTarget {
    Project* project = nullptr;
    TextDocument* document = nullptr;  // the current document, if any
    std::string path;                  // the working file, absolute
    std::string work_file;             // its name, as the operations take it
};

// The one session of the program: what stays between operations.
CmsSession& CmsState();

// Takes the user (the login, else asked in "CMS login") and the project's directories and
// options; false, reported where there is something to say, when no operation can run.
bool PrepareCms(CmsTarget& target);

// Another working file beside the current one (a name typed into a dialog).
void RetargetCms(CmsTarget& target, const std::string& name);

// Reads the target's archive for a dialog; a look leaves the output list as it was.
bool LookAtArchive(const CmsTarget& target, ArchiveInformation& info);

// The lines the operations wrote, in the output window's list, expanded.
void ShowCmsOutput();

// Blanks at both ends removed.
std::string Trimmed(const std::string& text);
