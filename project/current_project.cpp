#include "project/current_project.h"

Project g_project;
bool g_project_open = false;

Project* CurrentProject() { return g_project.name.empty() ? nullptr : &g_project; }

void ClearCurrentProject() {
    g_project = Project{};
    g_project_open = false;
}
