#pragma once
// The dialogs "Definition of a new project" and the make page of a project (command 1228,
// "Establish the parameters of a project").
#include <string>

#include "project/project.h"

// Shows the definition of a new project for `name`; true when "&Create" succeeded, with
// `p` filled from the form.
bool DefineNewProject(const std::string& name, Project& p);

// Command 1228: the make page of the current project; saves the project after OK.
void ProjectParametersCommand();
