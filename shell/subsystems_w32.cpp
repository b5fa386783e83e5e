#include "shell/subsystems_w32.h"

// One line per subsystem: declare its installer and call it below.

void InstallEditor();
void InstallProjects();

void InstallSubsystems() {
    InstallEditor();
    InstallProjects();
}
