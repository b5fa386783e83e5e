#pragma once
// The "Insert/delete files" dialog ("Project files for %s"): the files of a directory on
// the left, the project's files and libraries on the right.
#include "project/project.h"

// True when the user confirmed a list; the project's files and Libraries are then replaced.
bool EditProjectFiles(Project& p);

// The command "Project files maintenance" (1231) on the current project; saves it after OK.
void ProjectFilesCommand();
