#pragma once
// The two project definition forms: "Definition of a new project" and the make page
// ("Establish the parameters of a project"), checked and applied to a project.
#include <string>
#include <vector>

#include "project/project.h"

struct NewProjectForm {
    std::string name, path, output_dir;
    bool multi_user = false, use_cms = false;
    uint32_t type = kConsoleApp;  // one of the type bits; 0 when none is chosen
};

// The name field: a valid name not in `projects`; reported otherwise ("A project with
// name "%s" is already defined").
bool CheckNewProjectName(const std::string& name, const std::vector<std::string>& projects);
// The output directory that follows the path: "%s\rmc".
std::string OutputDirectoryFor(const std::string& path);

// "&Create": checks the form and fills `p` (name, ProjectPath, MakeDir, CMS directory,
// users, type). Creates the path (then made the current directory), the output directory
// and the CMS directory as needed; asks before using an output directory that exists.
// False, reported, leaves the form to be corrected.
bool ApplyNewProjectForm(NewProjectForm& form, const std::vector<std::string>& projects, const std::string& user,
                         Project& p);

struct MakePageForm {
    std::string make_command, make_dir, sources_dir, arguments;
};

// The texts the make page shows for a project.
MakePageForm MakePageOf(const Project& p);
// "Library", "Dll", "Console application" or "Windows application".
const char* ProjectTypeText(const Project& p);

// Applying the make page: the make program must exist (".EXE" tried when the first word has
// neither ";" nor "."), the make and sources directories must exist (an empty make
// directory is the current one). False, reported, when a check fails; nothing changes then.
bool ApplyMakePage(const MakePageForm& form, Project& p);
