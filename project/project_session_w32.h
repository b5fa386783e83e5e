#pragma once
// Opening, closing, creating, erasing, exporting and importing projects on Win32, and the
// commands that start them. Every one is refused while a build runs or a Makefile is
// being generated.
#include <string>

#include "project/project_defaults.h"

ProjectEnvironment CurrentEnvironment();

// Copies the current project into the configuration and saves it (when saving is on).
void SaveCurrentProjectConfiguration();

bool OpenProjectNamed(const std::string& name);
// Closes the current project, recording its state and saving it first when `save`.
bool CloseCurrentProject(bool save);
// A new project in `path` (created when missing) of the given type bits.
bool CreateProject(const std::string& name, const std::string& path, uint32_t type);
// Makes a new, complete project current, saves it and names it in the frame title; on a
// failed save nothing is current.
bool AdoptNewProject(const Project& p);
// The default project for the file `path` (its text given), made current and saved.
bool DefaultProjectFromDocument(const std::string& path, const std::string& text);
bool ImportProjectFile(const std::string& file, const std::string& new_location);

// Installs the project and build commands in the handler table and reopens the
// configuration's current project.
void InstallProjects();
