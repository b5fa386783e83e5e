#pragma once
// The store's backend over the registry of the current user.
#include <string>

#include "config/store_backend.h"

const StoreBackend* RegistryStoreBackend();

// Makes the backend's top key HKEY_CURRENT_USER\<path> instead of HKEY_CURRENT_USER
// itself, so that tests keep to their own subtree; null or empty restores the real one.
void SetRegistryTopKey(const char* path);

// Puts the store on the registry and gives the first-run set-up the program's path from
// the command line, the current directory and the directory dialog. Call once at start,
// before LoadConfiguration.
void InstallRegistryStore();

// The directory dialog of the first-run set-up; false when the user cancels.
bool AskDirectoryDialog(const char* prompt, std::string& answer);
