#pragma once
// An in-memory store with the registry's hierarchy, for tests and platforms without one.
#include <string>

#include "config/store_backend.h"

const StoreBackend* MemoryStoreBackend();

// Empties the store, leaving only the top key "Software".
void ClearMemoryStore();

// Makes every later create or write fail with `error_code` (0 makes them succeed again).
void SetMemoryStoreFailure(int error_code);

// Puts a value that is not text, as a registry value of another type would be.
void PutMemoryNonText(const std::string& key_path, const std::string& name);

// Text of a value by its key path ("Software\\rmc\\Morla"); false when it is missing.
bool MemoryStoreValue(const std::string& key_path, const std::string& name, std::string& out);
bool MemoryStoreHasKey(const std::string& key_path);

// Every key and value, one per line in a fixed order, to compare whole stores.
std::string MemoryStoreDump();
