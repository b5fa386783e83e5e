#pragma once
// The application wizard (wizard.exe): its command line and its result file.
#include <string>

#include "project/project.h"

// "wizard.exe /morla:%d /prjname:%s /prjpath:%s /out:%s", then " /dll" or " /console".
std::string WizardCommandLine(unsigned frame, const Project& p, const std::string& result_file);

// Applies up to three "label: value" lines (at most 8192 bytes): the first value is the
// project name, the others are files, added without a leading ProjectPath and backslash.
// A line without its line end, and those after it, are not used. False when no file was
// added.
bool ApplyWizardResult(const std::string& text, Project& p);
