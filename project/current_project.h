#pragma once
// The one current project of the application: cleared (empty Name) when none is current.
#include "project/project.h"

extern Project g_project;
// Set while a project is open; every write of project data is gated by it.
extern bool g_project_open;

// The current project, or null when its Name is empty.
Project* CurrentProject();
void ClearCurrentProject();
