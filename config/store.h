#pragma once
// The configuration store: every setting is a text value in HKEY_CURRENT_USER, under
// Software\rmc\Morla (the root section) or one of its project sections. The store is
// opened around each group of reads or writes and closed again.
#include <cstdint>
#include <string>
#include <vector>

#include "config/store_backend.h"

// Opens Software, Software\rmc (running the first-run set-up when it is missing) and
// creates or opens Software\rmc\Morla, which becomes the current section; unless
// root_only, the subkey `section` of Morla is created or opened and becomes current.
// Reports and returns false on failure. The root section alone is OpenStore("Morla", true).
bool OpenStore(const char* section, bool root_only);
void CloseStore();
bool StoreIsOpen();

// Reads the value `name` of the current section, of any length. False, with `out`
// empty, when the value is missing or not text.
bool ReadString(const char* name, std::string& out);

// The decimal value of the text; `default_value` when it is missing, not text, has no
// leading number or is out of range.
int ReadInt(const char* name, int default_value);

// Writes `text` (empty when null); shows "Error %d writing to the registry" and returns
// false on failure.
bool WriteString(const char* name, const char* text);
bool WriteInt(const char* name, long value);

// The same with the value name taken from the message table.
bool ReadStringById(uint16_t id, std::string& out);
bool WriteStringById(uint16_t id, const char* text);

// Value name from a pattern such as "Util%dNickname": each %d in turn takes the next number.
std::string NumberedName(const char* pattern, int first, int second = 0);
// The same with the pattern taken from the message table.
std::string ValueNameById(uint16_t id, int first = 0, int second = 0);

// Reads the value `name` of the key `key` beneath Software\rmc (such as Compiler) while
// the store is open.
bool ReadCompilerValue(const char* key, const char* name, std::string& out);

// Deletes the project section `name` beneath Morla (never the root section itself).
bool DeleteSection(const char* name);

// Names of the subkeys of Morla, i.e. the project sections, while the store is open.
std::vector<std::string> ProjectSectionNames();

// Whether anything was written since the last ClearRegistryWritten().
bool RegistryWritten();
void ClearRegistryWritten();

// Shows "Error %d writing to the registry" with the backend's last error code.
void ReportStoreWriteFailure();
