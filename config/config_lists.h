#pragma once
// Readers and writers of the list-valued settings; each works on the current section of
// the open store. Readers stop at the first missing item, so a damaged count cannot make
// them run on; writers stop at the first failing write and return false.
#include <vector>

#include "config/configuration.h"

void ReadAccelerators(std::vector<AcceleratorChange>& list);
bool WriteAccelerators(const std::vector<AcceleratorChange>& list);

void ReadLanguages(std::vector<LanguageSetting>& list);
bool WriteLanguages(const std::vector<LanguageSetting>& list);

void ReadMacros(std::vector<MacroSetting>& list);
bool WriteMacros(const std::vector<MacroSetting>& list);

void ReadUtilities(std::vector<UtilitySetting>& list);
bool WriteUtilities(const std::vector<UtilitySetting>& list);

void ReadOpenFiles(std::vector<OpenFileEntry>& list);
bool WriteOpenFiles(const std::vector<OpenFileEntry>& list);

bool WriteProjectList(const std::vector<std::string>& projects);
