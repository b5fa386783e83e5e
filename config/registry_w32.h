#pragma once
// The store's backend over the registry of the current user.
#include "config/store_backend.h"

const StoreBackend* RegistryStoreBackend();

// Makes the backend's top key HKEY_CURRENT_USER\<path> instead of HKEY_CURRENT_USER
// itself, so that tests keep to their own subtree; null or empty restores the real one.
void SetRegistryTopKey(const char* path);
