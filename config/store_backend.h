#pragma once
// The hierarchy the configuration store works over: keys beneath keys, each with named
// text values. The Win32 layer installs the registry; the in-memory store serves tests
// and platforms without a registry.
#include <string>

using StoreKey = void*;

struct StoreBackend {
    // Opens (or, with create, creates) the subkey `name` beneath `parent`; a null parent
    // is the user's top key. Null on failure.
    StoreKey (*open_key)(StoreKey parent, const char* name, bool create);
    void (*close_key)(StoreKey key);
    // False when the value is missing or is not text; `out` then holds nothing useful.
    bool (*read_value)(StoreKey key, const char* name, std::string& out);
    bool (*write_value)(StoreKey key, const char* name, const char* text);
    // True also when there is no such subkey.
    bool (*delete_subkey)(StoreKey key, const char* name);
    // Name of the subkey at `index`; false past the last one.
    bool (*subkey_name)(StoreKey key, int index, std::string& name);
    // Error code of the last failed operation.
    int (*last_error)();
};

// Installs the backend of the store; null restores the in-memory store.
void SetStoreBackend(const StoreBackend* backend);
const StoreBackend& CurrentStoreBackend();
