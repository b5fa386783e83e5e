#pragma once
// The program's configuration: loaded once at start-up through the registry store and
// saved by the frame's closing sequence when saving is on.
#include "config/configuration.h"

extern Configuration g_config;

// Installs the registry backend and the first-run hooks, then loads the configuration.
// False when the store could not be opened (first-run set-up failed): the defaults stay.
bool LoadProgramConfiguration(const char* program_path, const char* current_directory);

// Copies the frame's placement into the configuration and saves it when saving is on.
bool SaveProgramConfiguration();
